#include "repair.h"

#include "foldercheck.h"
#include "modstate.h"
#include "retry.h"

#include <algorithm>

namespace zark {

namespace {

const std::string kAgain = ", then run zarkswitch repair again.";

bool among(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::optional<Failure> removeLeftovers(FileSystem& fs, const std::vector<std::string>& listing,
                                       RepairReport& report) {
    for (const std::string& name : listing) {
        if (!IsStoreTemporary(name)) continue;
        if (auto failure = Retrying(fs, [&] { return fs.removeFile(name); })) return failure;
        report.done.push_back("Removed " + name + ", left over from a store write that was cut short");
    }
    return std::nullopt;
}

std::optional<Failure> place(FileSystem& fs, const Placement& placement, RepairReport& report) {
    const std::string wanted = placement.wantedName();
    const std::string other = placement.otherName();
    Found found;
    if (auto failure = Look(fs, placement, found)) return failure;
    if (found.wanted && found.other) {
        report.decisions.push_back("Both " + wanted + " and " + other + " are there, and " + placement.because +
                                   ", so ZARK's copy belongs under " + wanted +
                                   ". Move the copy that is not ZARK's out of the game folder" + kAgain);
    } else if (!found.wanted && !found.other) {
        report.decisions.push_back("Neither " + wanted + " nor " + other + " is there, and " + placement.because +
                                   ". Put ZARK's copy back as " + wanted +
                                   " (from the modification's package or a backup)" + kAgain);
    } else if (found.other) {
        if (auto failure = Retrying(fs, [&] { return fs.renameNoReplace(other, wanted); })) return failure;
        report.done.push_back("Renamed " + other + " to " + wanted);
    }
    return std::nullopt;
}

}  // namespace

std::optional<Failure> RepairFolder(FileSystem& fs, const SwitchLock&, RepairReport& report) {
    const StoresRead stores = ReadStores(fs);
    for (const StoreRead* read : {&stores.base, &stores.fs}) {
        if (const auto* failure = std::get_if<Failure>(&read->state)) return *failure;
    }

    std::vector<std::string> listing;
    if (auto failure = fs.listFolder(listing)) return failure;
    std::sort(listing.begin(), listing.end());
    if (auto failure = removeLeftovers(fs, listing, report)) return failure;

    // A file with another spelling of one of its names is the player's to sort out: a rename
    // would only add a third spelling.
    std::vector<OtherSpelling> spellings;
    if (auto failure = OtherSpellings(fs, listing, spellings)) return failure;
    std::vector<std::string> untouchable;
    for (const OtherSpelling& spelling : spellings) {
        report.decisions.push_back(spelling.sentence() + ". Rename or remove the one that is not ZARK's" + kAgain);
        untouchable.push_back(spelling.name);
    }

    const ModState basestate = std::get<ModState>(stores.base.state);
    const ModState fsstate = std::get<ModState>(stores.fs.state);
    struct Named {
        const std::string& store;
        const char* variant;
        const StoreRead& read;
    };
    for (const Named& named : {Named{kBaseStore, "ZARK", stores.base}, Named{kFsStore, "ZARK-FS", stores.fs}}) {
        if (IsDecided(std::get<ModState>(named.read.state))) continue;
        report.decisions.push_back(UndecidedStore(named.store, named.read) + ". Write 1 into it if " +
                                   named.variant + " is on, 2 if it is off (in Notepad, saved as ANSI)" + kAgain);
    }
    if (basestate == kActive && fsstate == kActive) {
        report.decisions.push_back(BothActive() + ". Write 2 into the store of the one that is off (" + kBaseStore +
                                   " for ZARK, " + kFsStore + " for ZARK-FS)" + kAgain);
        return std::nullopt;
    }

    for (const Placement& placement : Placements(basestate, fsstate)) {
        if (!placement.certain || among(untouchable, placement.wantedName()) ||
            among(untouchable, placement.otherName())) {
            continue;
        }
        if (auto failure = place(fs, placement, report)) return failure;
    }
    return std::nullopt;
}

}  // namespace zark
