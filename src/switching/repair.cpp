#include "switching/repair.h"

#include "switching/foldercheck.h"
#include "switching/modstate.h"
#include "switching/retry.h"
#include "switching/variants.h"

#include <algorithm>

namespace zark {

namespace {

bool among(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Something other than a file under a name the program knows: what it is for, only the player
// can say.
std::string leftAlone(const Entry& entry) {
    const char* advice = entry.kind == EntryKind::Link ? "Put the file itself in its place, or remove the link"
                                                       : "Move it out of the game folder";
    return NotAFileSentence(entry) + ", and repair leaves it alone. " + advice;
}

std::optional<Failure> removeLeftovers(FileSystem& disk, const std::vector<std::string>& listing,
                                       RepairReport& report) {
    std::vector<std::string> leftovers;
    std::vector<Entry> nonFiles;
    if (auto failure = Leftovers(disk, listing, leftovers, nonFiles)) return failure;
    for (const Entry& entry : nonFiles) report.decisions.push_back(leftAlone(entry));
    for (const std::string& name : leftovers) {
        if (auto failure = Retrying(disk, [&] { return disk.removeFile(name); })) return failure;
        report.done.push_back("Removed " + name + ", left over from a store write that was cut short");
    }
    return std::nullopt;
}

std::optional<Failure> place(FileSystem& disk, const Placement& placement, bool touchable, RepairReport& report) {
    const std::string wanted = placement.wantedName();
    const std::string other = placement.otherName();
    Where where;
    if (auto failure = WhereItStands(disk, placement, where)) return failure;
    if (where.standing == Standing::NotAFile) {
        for (const Entry& entry : where.nonFiles) report.decisions.push_back(leftAlone(entry));
        return std::nullopt;
    }
    if (!placement.certain || !touchable) return std::nullopt;
    switch (where.standing) {
    case Standing::BothNames:
        report.decisions.push_back("Both " + wanted + " and " + other + " are there, and " + placement.because +
                                   ", so ZARK's copy belongs under " + wanted +
                                   ". Move the copy that is not ZARK's out of the game folder");
        break;
    case Standing::Neither:
        report.decisions.push_back("Neither " + wanted + " nor " + other + " is there, and " + placement.because +
                                   ". Put ZARK's copy back as " + wanted +
                                   " (from the modification's package or a backup)");
        break;
    case Standing::Misplaced:
        if (auto failure = Retrying(disk, [&] { return disk.renameNoReplace(other, wanted); })) return failure;
        report.done.push_back("Renamed " + other + " to " + wanted);
        break;
    case Standing::InPlace:
    case Standing::NotAFile: break;
    }
    return std::nullopt;
}

}  // namespace

std::optional<Failure> RepairFolder(FileSystem& disk, const SwitchLock&, RepairReport& report) {
    const StoresRead stores = ReadStores(disk);
    for (const Variant* variant : kVariants) {
        std::string problem;
        if (auto failure = StoreProblem(disk, *variant, stores.of(variant->store), problem)) return failure;
        if (!problem.empty()) report.decisions.push_back(problem);
    }

    // Copies that Windows keeps elsewhere are the player's to delete: repair works in the game
    // folder alone.
    std::vector<std::string> copies;
    if (auto failure = VirtualStoreCopies(disk, copies)) return failure;
    for (const std::string& copy : copies) report.decisions.push_back(copy);

    std::vector<std::string> listing;
    if (auto failure = disk.listFolder(listing)) return failure;
    std::sort(listing.begin(), listing.end());
    if (auto failure = removeLeftovers(disk, listing, report)) return failure;

    // A file with another spelling of one of its names is the player's to sort out: a rename
    // would only add a third spelling.
    std::vector<OtherSpelling> spellings;
    if (auto failure = OtherSpellings(disk, listing, spellings)) return failure;
    std::vector<std::string> untouchable;
    for (const OtherSpelling& spelling : spellings) {
        report.decisions.push_back(spelling.sentence() + ". Rename or remove the one that is not ZARK's");
        untouchable.push_back(spelling.name);
    }

    if (BothSayActive(stores)) {
        report.decisions.push_back(BothActive() + ". Write 2 into the store of the one that is off (" +
                                   kBaseVariant.store + " for " + kBaseVariant.label + ", " + kFsVariant.store +
                                   " for " + kFsVariant.label + ")");
        return std::nullopt;
    }

    for (const Placement& placement : Placements(stores)) {
        const bool touchable =
            !among(untouchable, placement.wantedName()) && !among(untouchable, placement.otherName());
        if (auto failure = place(disk, placement, touchable, report)) return failure;
    }
    return std::nullopt;
}

}  // namespace zark
