// zarkswitch: the launcher's switches for the command line, plus a status check and a repair.
#include "zarkswitch/zarkswitch.h"

#include "resources/version.h"
#include "switching/filesystem.h"
#include "switching/foldercheck.h"
#include "switching/modstate.h"
#include "switching/repair.h"
#include "switching/report.h"
#include "switching/switches.h"
#include "switching/switchlock.h"
#include "switching/variants.h"

namespace zark {

namespace {

constexpr const char* kUsage =
    "usage: zarkswitch [--dir PATH] status | repair | activate base|fs | deactivate base|fs\n";

constexpr const char* kHelp =
    "Switches the ZARK modification of Tiberian Sun on and off, exactly as ZARK Launcher\n"
    "does, in the game folder: the current folder, or the one given by --dir.\n"
    "\n"
    "Commands:\n"
    "  status             show what zarkdata.dat and zarkdata2.dat say, and check that\n"
    "                     the rule files on disk agree with them\n"
    "  repair             rename rule files that stand under the wrong name where the\n"
    "                     stores leave no doubt, remove what a cut-short store write\n"
    "                     left behind, and say what you must decide about the rest\n"
    "  activate base      Activate ZARK (Tiberian Sun alone)\n"
    "  deactivate base    Deactivate ZARK\n"
    "  activate fs        Activate ZARK-FS (Tiberian Sun with Firestorm)\n"
    "  deactivate fs      Deactivate ZARK-FS\n"
    "\n"
    "Options:\n"
    "  --dir PATH         work in the game folder PATH\n"
    "  -h, --help         show this help and exit\n"
    "  --version          show the version and exit\n"
    "  --                 end of options\n"
    "\n"
    "Only one program switches in a game folder at a time (the launcher included): the\n"
    "others wait about two seconds for it, then give up with exit status 2. status and\n"
    "repair wait likewise, so status reports only a folder that no switch is changing.\n"
    "The lock is kept on zarkdata.lock in the game folder, which must be a plain file\n"
    "you may write; if it is a folder, a link, read-only or another user's (after sudo),\n"
    "delete it. A store that is missing or unreadable: status says what to write in it.\n"
    "\n"
    "Exit status:\n"
    "  0   done; for status and repair, the rule files agree with the stores\n"
    "  1   refused (the launcher's message is printed), or nothing to do\n"
    "  2   failed (the error is printed on standard error; files already moved are put back)\n"
    "  3   status and repair: something to mend (a rule file out of place, a store that\n"
    "      cannot be read or holds neither 1 nor 2, a bad zarkdata.lock); repair says what\n"
    "      you must decide\n"
    "  4   done, but what it printed could not be written (a full disk, a closed pipe)\n"
    "  64  wrong usage\n";

struct Request {
    std::string command;                     // "status", "repair", "activate" or "deactivate"
    const Variant* variant = &kBaseVariant;  // the one to switch
    std::optional<std::string> folder;
};

std::string stateLine(const Variant& variant, const std::string& state) {
    return std::string(variant.label) + " (" + variant.store + "): " + state + "\n";
}

int usage(Console& console, const std::string& problem) {
    console.err("zarkswitch: " + problem + "\n" + kUsage);
    return kExitUsage;
}

// Prints each finding, or that there are none; the exit status says which.
int conclude(Console& console, const std::vector<std::string>& findings) {
    if (findings.empty()) {
        console.out(kRulesAgree + "\n");
        return kExitDone;
    }
    for (const std::string& finding : findings) console.out(finding + "\n");
    return kExitDisagree;
}

// Reads under the switch lock, so that a switch in progress is waited for and only a settled
// folder is reported; a lock file at fault is one more finding.
int status(Console& console) {
    FileSystem& disk = realFileSystem();
    SwitchLock lock;
    std::optional<Failure> lockProblem;
    if (auto failure = LockReading(disk, lock, lockProblem)) return Failed(console, *failure);
    const StoresRead stores = ReadStores(disk);
    for (const Variant* variant : kVariants) {
        const StoreRead& read = stores.of(variant->store);
        const ModState* state = std::get_if<ModState>(&read.state);
        console.out(stateLine(*variant, state ? DescribeState(*state) : "cannot be read"));
    }

    std::vector<std::string> findings;
    if (auto failure = CheckFolder(disk, stores, findings)) return Failed(console, *failure);
    if (lockProblem) findings.push_back(FailureLine(*lockProblem));
    return conclude(console, findings);
}

int switchVariant(Console& console, const Request& request) {
    FileSystem& disk = realFileSystem();
    const Variant& variant = *request.variant;
    SwitchOutcome outcome;
    const auto command = commandFor(variant, request.command == "activate");
    if (auto failure = UnderSwitchLock(disk, [&](const SwitchLock& lock) { outcome = command(disk, lock); })) {
        return Failed(console, *failure);
    }
    if (outcome.failure) return Failed(console, *outcome.failure, outcome.stranded);
    if (outcome.message) {
        console.out(std::string(outcome.message) + "\n");
        return kExitRefused;
    }
    if (outcome.switchedTo) {
        console.out(stateLine(variant, DescribeState(*outcome.switchedTo)));
        return kExitDone;
    }
    // The launcher does nothing, silently, for a store that is neither active nor inactive;
    // a script is told why.
    const ModState stored = *outcome.stateRead(variant.store);
    console.out("Nothing done: " + variant.store + " says " + DescribeState(stored) +
                ", neither active nor inactive.\n");
    return kExitRefused;
}

// Repairs what is certain, then checks the folder as status does: the findings that remain
// are those the player must decide, each said with how.
int repair(Console& console) {
    FileSystem& disk = realFileSystem();
    RepairReport report;
    std::optional<Failure> failure;
    std::vector<std::string> findings;
    if (auto locked = UnderSwitchLock(disk, [&](const SwitchLock& lock) {
            failure = RepairFolder(disk, lock, report);
            if (!failure) failure = CheckFolder(disk, ReadStores(disk), findings);
        })) {
        return Failed(console, *locked);
    }
    for (const std::string& line : report.done) console.out(line + "\n");
    if (failure) return Failed(console, *failure);
    if (findings.empty()) return conclude(console, findings);
    for (const std::string& decision : report.decisions)
        console.out(decision + ", then run zarkswitch repair again.\n");
    return kExitDisagree;
}

}  // namespace

int Failed(Console& console, const Failure& failure, const std::vector<Stranded>& stranded) {
    console.err("zarkswitch: " + FailureReport(failure, stranded) + "\n");
    return kExitFailed;
}

int RunZarkSwitch(const std::vector<std::string>& args, Console& console) {
    Request request;
    std::vector<std::string> words;
    bool options = true;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!options) {
            words.push_back(arg);
        } else if (arg == "--") {
            options = false;
        } else if (arg == "-h" || arg == "--help") {
            console.out(std::string(kUsage) + "\n" + kHelp);
            return kExitDone;
        } else if (arg == "--version") {
            console.out("zarkswitch " ZARK_RELEASE " (" ZARK_PRODUCT_NAME ")\n");
            return kExitDone;
        } else if (arg == "--dir" || arg.rfind("--dir=", 0) == 0) {
            request.folder = arg != "--dir" ? arg.substr(6) : ++i < args.size() ? args[i] : "";
            // An empty path names no folder at all.
            if (request.folder->empty()) return usage(console, "--dir needs a folder");
        } else if (arg.size() > 1 && arg[0] == '-') {
            return usage(console, "unknown option " + arg);
        } else {
            words.push_back(arg);
        }
    }

    if (words.empty()) return usage(console, "no command given");
    request.command = words[0];
    if (request.command == "status" || request.command == "repair") {
        if (words.size() > 1) return usage(console, request.command + " takes no variant");
    } else if (request.command == "activate" || request.command == "deactivate") {
        if (words.size() != 2 || (words[1] != "base" && words[1] != "fs")) {
            return usage(console, request.command + " needs one variant: base or fs");
        }
        request.variant = words[1] == "fs" ? &kFsVariant : &kBaseVariant;
    } else {
        return usage(console, "unknown command " + request.command);
    }

    if (request.folder) {
        if (auto failure = ChangeFolder(*request.folder)) return Failed(console, *failure);
    }
    if (request.command == "status") return status(console);
    if (request.command == "repair") return repair(console);
    return switchVariant(console, request);
}

}  // namespace zark
