// zarkswitch: the launcher's switches for the command line, plus a status check.
#include "zarkswitch.h"

#include "filesystem.h"
#include "modstate.h"
#include "report.h"
#include "rulecheck.h"
#include "switches.h"
#include "version.h"

namespace zark {

namespace {

constexpr const char* kUsage = "usage: zarkswitch [--dir PATH] status | activate base|fs | deactivate base|fs\n";

constexpr const char* kHelp =
    "Switches the ZARK modification of Tiberian Sun on and off, exactly as ZARK Launcher\n"
    "does, in the game folder: the current folder, or the one given by --dir.\n"
    "\n"
    "Commands:\n"
    "  status             show what zarkdata.dat and zarkdata2.dat say, and check that\n"
    "                     the rule files on disk agree with them\n"
    "  activate base      Activate ZARK (Tiberian Sun alone)\n"
    "  deactivate base    Deactivate ZARK\n"
    "  activate fs        Activate ZARK-FS (Tiberian Sun with Firestorm)\n"
    "  deactivate fs      Deactivate ZARK-FS\n"
    "\n"
    "Options:\n"
    "  --dir PATH         work in the game folder PATH\n"
    "  -h, --help         show this help and exit\n"
    "  --version          show the version and exit\n"
    "\n"
    "Exit status:\n"
    "  0   done; for status, the rule files agree with the stores\n"
    "  1   refused (the launcher's message is printed), or nothing to do\n"
    "  2   failed (the error is printed on standard error; files already moved are put back)\n"
    "  3   status only: the rule files disagree with the stores\n"
    "  64  wrong usage\n";

struct Request {
    std::string command;  // "status", "activate" or "deactivate"
    bool fs = false;      // the expansion variant rather than the base game's
    std::optional<std::string> folder;
};

struct VariantName {
    const char* label;
    const std::string& store;
};
const VariantName kBaseName{"ZARK", kBaseStore};
const VariantName kFsName{"ZARK-FS", kFsStore};

std::string describe(ModState state) {
    if (state == kActive) return "active";
    if (state == kInactive) return "inactive";
    if (state == 0) return "not set";
    return std::to_string(state);
}

std::string stateLine(const VariantName& variant, const std::string& state) {
    return std::string(variant.label) + " (" + variant.store + "): " + state + "\n";
}

int failed(Console& console, const Failure& failure, const std::vector<Stranded>& stranded = {}) {
    console.err("zarkswitch: " + FailureReport(failure, stranded) + "\n");
    return kExitFailed;
}

int usage(Console& console, const std::string& problem) {
    console.err("zarkswitch: " + problem + "\n" + kUsage);
    return kExitUsage;
}

int status(Console& console) {
    FileSystem& fs = realFileSystem();
    ModState states[2] = {};
    std::optional<Failure> unreadable;
    const VariantName* names[2] = {&kBaseName, &kFsName};
    for (int i = 0; i < 2; ++i) {
        ModStateRead read = ReadModState(fs, names[i]->store);
        if (const auto* failure = std::get_if<Failure>(&read)) {
            console.out(stateLine(*names[i], "cannot be read"));
            if (!unreadable) unreadable = *failure;
        } else {
            states[i] = std::get<ModState>(read);
            console.out(stateLine(*names[i], describe(states[i])));
        }
    }
    if (unreadable) return failed(console, *unreadable);

    std::vector<std::string> findings;
    if (auto failure = CheckRuleFiles(fs, states[0], states[1], findings)) return failed(console, *failure);
    if (findings.empty()) {
        console.out("The rule files agree with the stores.\n");
        return kExitDone;
    }
    for (const std::string& finding : findings) console.out(finding + "\n");
    return kExitDisagree;
}

int switchVariant(Console& console, const Request& request) {
    FileSystem& fs = realFileSystem();
    ModState basestate = 0;
    ModState fsstate = 0;
    const bool activate = request.command == "activate";
    Outcome outcome;
    if (request.fs) {
        outcome = activate ? ActivateZarkFs(fs, basestate, fsstate) : DeactivateZarkFs(fs, fsstate);
    } else {
        outcome = activate ? ActivateZark(fs, basestate, fsstate) : DeactivateZark(fs, basestate);
    }

    const VariantName& variant = request.fs ? kFsName : kBaseName;
    if (outcome.failure) return failed(console, *outcome.failure, outcome.stranded);
    if (outcome.message) {
        console.out(std::string(outcome.message) + "\n");
        return kExitRefused;
    }
    if (outcome.pictures) {
        console.out(stateLine(variant, describe(*outcome.pictures)));
        return kExitDone;
    }
    // The launcher does nothing, silently, for a store that is neither active nor inactive;
    // a script is told why.
    const ModState stored = request.fs ? fsstate : basestate;
    console.out("Nothing done: " + variant.store + " says " + describe(stored) +
                ", neither active nor inactive.\n");
    return kExitRefused;
}

}  // namespace

int RunZarkSwitch(const std::vector<std::string>& args, Console& console) {
    Request request;
    std::vector<std::string> words;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-h" || arg == "--help") {
            console.out(std::string(kUsage) + "\n" + kHelp);
            return kExitDone;
        }
        if (arg == "--version") {
            console.out("zarkswitch " ZARK_RELEASE " (" ZARK_PRODUCT_NAME ")\n");
            return kExitDone;
        }
        if (arg == "--dir") {
            if (++i == args.size()) return usage(console, "--dir needs a folder");
            request.folder = args[i];
        } else if (arg.rfind("--dir=", 0) == 0) {
            request.folder = arg.substr(6);
        } else if (arg.size() > 1 && arg[0] == '-') {
            return usage(console, "unknown option " + arg);
        } else {
            words.push_back(arg);
        }
    }

    if (words.empty()) return usage(console, "no command given");
    request.command = words[0];
    if (request.command == "status") {
        if (words.size() > 1) return usage(console, "status takes no variant");
    } else if (request.command == "activate" || request.command == "deactivate") {
        if (words.size() != 2 || (words[1] != "base" && words[1] != "fs")) {
            return usage(console, request.command + " needs one variant: base or fs");
        }
        request.fs = words[1] == "fs";
    } else {
        return usage(console, "unknown command " + request.command);
    }

    if (request.folder) {
        if (auto failure = ChangeFolder(*request.folder)) return failed(console, *failure);
    }
    return request.command == "status" ? status(console) : switchVariant(console, request);
}

}  // namespace zark
