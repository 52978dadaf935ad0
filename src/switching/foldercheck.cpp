#include "switching/foldercheck.h"

#include <algorithm>
#include <cctype>

namespace zark {

namespace {

// The state a store decides by: 0, neither active nor inactive, where it cannot be read.
ModState decidedBy(const StoreRead& read) {
    const ModState* state = std::get_if<ModState>(&read.state);
    return state ? *state : 0;
}

struct Mover {
    const Variant& variant;
    ModState state;
    // "says not set", "cannot be read".
    std::string says;
};

// A rule file with the variants that move it.
struct Moved {
    RuleFile file;
    std::vector<const Mover*> movers;

    bool movedBy(ModState state) const {
        return std::any_of(movers.begin(), movers.end(), [&](const Mover* m) { return m->state == state; });
    }

    // "zarkdata.dat says inactive", "zarkdata.dat and zarkdata2.dat say inactive".
    std::string storesSaying(ModState state) const {
        std::string stores;
        int count = 0;
        for (const Mover* mover : movers) {
            if (mover->state != state) continue;
            stores += (count++ == 0 ? "" : " and ") + mover->variant.store;
        }
        return stores + (count == 1 ? " says " : " say ") + (state == kActive ? "active" : "inactive");
    }

    // "zarkdata.dat, which says not set": the stores that say neither active nor inactive.
    std::string undecided() const {
        std::string stores;
        for (const Mover* mover : movers) {
            if (IsDecided(mover->state)) continue;
            stores += (stores.empty() ? "" : " and ") + mover->variant.store + ", which " + mover->says;
        }
        return stores;
    }
};

// "zarkdata.dat says 7, neither active nor inactive", with a hint where the store begins with
// a byte-order mark.
std::string undecidedStore(const std::string& store, ModState state, const StoreRead& read) {
    std::string text = store + " says " + DescribeState(state) + ", neither active nor inactive";
    if (read.byteOrderMark) {
        text += ": it begins with a byte-order mark, so save it as ANSI (plain text), not as Unicode or UTF-8";
    }
    return text;
}

// What an unreadable store is or holds, from what lies under its name and why reading failed.
std::string unreadableStore(const std::string& store, EntryKind kind, const Failure& failure) {
    if (kind == EntryKind::None) return store + " is missing";
    if (kind != EntryKind::File) return store + " is " + NotAFile(kind);
    switch (failure.number) {
    case kErrorPastEnd: return store + " is empty";
    case kErrorOverflow: return store + " holds a number out of range";
    case kErrorTooLong:
        return store + " holds more than " + std::to_string(kStoreLimit) + " bytes, far more than a store holds";
    default: return store + " cannot be read (" + failure.description + ")";
    }
}

// Each rule file once, in the order the variants name them.
std::vector<Moved> ruleFiles(const std::vector<Mover>& movers) {
    std::vector<Moved> files;
    for (const Mover& mover : movers) {
        for (const RuleFile& file : mover.variant.files) {
            auto known = files.begin();
            while (known != files.end() && std::string(known->file.inactiveName) != file.inactiveName) ++known;
            if (known == files.end()) known = files.insert(files.end(), Moved{file, {}});
            known->movers.push_back(&mover);
        }
    }
    return files;
}

std::string lowered(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Every name the program looks for in the game folder.
std::vector<std::string> knownNames() {
    std::vector<std::string> names{kBaseStore, kFsStore};
    for (const std::string& name : RuleFileNames()) names.push_back(name);
    return names;
}

// A VirtualStore copy of `name` and who reads it. The game, itself an old program, reads a rule
// file's copy; the stores are the launchers' alone, so a store's copy is what an older launcher
// without a manifest wrote, and our programs, which Windows never redirects, never read it.
std::string copyFound(const std::string& copy, const std::string& name) {
    const std::string what = copy + " is a copy of " + name;
    if (name == kBaseStore || name == kFsStore) {
        return what + " that an older program without a manifest left there. The game never reads the stores, " +
               "and neither ZARK Launcher nor zarkswitch reads this copy: it is safe to delete it";
    }
    return what + " that Windows keeps for old programs, and the game reads it instead of the game folder's " + name +
           ": delete it";
}

}  // namespace

std::optional<Failure> StoreProblem(FileSystem& disk, const Variant& variant, const StoreRead& read,
                                    std::string& problem) {
    EntryKind kind = EntryKind::None;
    if (auto failure = disk.kindOf(variant.store, kind)) return failure;
    std::string what;
    if (const Failure* failure = std::get_if<Failure>(&read.state)) {
        what = unreadableStore(variant.store, kind, *failure);
    } else if (const ModState state = std::get<ModState>(read.state); !IsDecided(state)) {
        what = undecidedStore(variant.store, state, read);
    } else if (kind != EntryKind::File) {
        // A link to a store: the switches read through it, but replace it with a file.
        what = variant.store + " is " + NotAFile(kind);
    } else {
        problem.clear();
        return std::nullopt;
    }
    problem =
        what + ". If " + variant.label + " is off, make " + variant.store + " hold the single line 2 (1 if it is on)";
    return std::nullopt;
}

std::vector<Placement> Placements(const StoresRead& stores) {
    std::vector<Mover> movers;
    for (const Variant* variant : kVariants) {
        const StoreRead& read = stores.of(variant->store);
        const bool readable = std::holds_alternative<ModState>(read.state);
        const ModState state = decidedBy(read);
        movers.push_back({*variant, state, readable ? "says " + DescribeState(state) : "cannot be read"});
    }
    std::vector<Placement> placements;
    for (const Moved& moved : ruleFiles(movers)) {
        const ModState wanted = moved.movedBy(kActive) ? kActive : kInactive;
        if (wanted == kInactive && !moved.movedBy(kInactive)) continue;
        const bool certain = wanted == kActive || std::all_of(moved.movers.begin(), moved.movers.end(),
                                                              [](const Mover* m) { return m->state == kInactive; });
        placements.push_back(
            {moved.file, wanted, certain, moved.storesSaying(wanted), certain ? std::string() : moved.undecided()});
    }
    return placements;
}

bool BothSayActive(const StoresRead& stores) {
    return decidedBy(stores.base) == kActive && decidedBy(stores.fs) == kActive;
}

std::string NotAFileSentence(const Entry& entry) { return entry.name + " is " + NotAFile(entry.kind); }

std::optional<Failure> WhereItStands(FileSystem& disk, const Placement& placement, Where& where) {
    EntryKind wanted = EntryKind::None;
    EntryKind other = EntryKind::None;
    if (auto failure = disk.kindOf(placement.wantedName(), wanted)) return failure;
    if (auto failure = disk.kindOf(placement.otherName(), other)) return failure;
    for (const Entry& entry : {Entry{placement.wantedName(), wanted}, Entry{placement.otherName(), other}}) {
        if (entry.kind != EntryKind::None && entry.kind != EntryKind::File) where.nonFiles.push_back(entry);
    }
    if (!where.nonFiles.empty()) {
        where.standing = Standing::NotAFile;
    } else if (wanted == EntryKind::File) {
        where.standing = other == EntryKind::File ? Standing::BothNames : Standing::InPlace;
    } else {
        where.standing = other == EntryKind::File ? Standing::Misplaced : Standing::Neither;
    }
    return std::nullopt;
}

std::optional<Failure> OtherSpellings(FileSystem& disk, const std::vector<std::string>& listing,
                                      std::vector<OtherSpelling>& found) {
    for (const std::string& name : knownNames()) {
        const bool listed = std::find(listing.begin(), listing.end(), name) != listing.end();
        for (const std::string& entry : listing) {
            if (entry == name || lowered(entry) != lowered(name)) continue;
            // Where the system finds `entry` under `name`, the folder ignores case and the two
            // are one file; otherwise they are two.
            EntryKind kind = EntryKind::None;
            if (!listed) {
                if (auto failure = disk.kindOf(name, kind)) return failure;
            }
            if (listed || kind == EntryKind::None) found.push_back({entry, name});
        }
    }
    return std::nullopt;
}

std::optional<Failure> Leftovers(FileSystem& disk, const std::vector<std::string>& listing,
                                 std::vector<std::string>& files, std::vector<Entry>& nonFiles) {
    for (const std::string& name : listing) {
        if (!IsStoreTemporary(name)) continue;
        EntryKind kind = EntryKind::None;
        if (auto failure = disk.kindOf(name, kind)) return failure;
        // Gone since the listing: nothing left over.
        if (kind == EntryKind::None) continue;
        if (kind == EntryKind::File) {
            files.push_back(name);
        } else {
            nonFiles.push_back({name, kind});
        }
    }
    return std::nullopt;
}

std::optional<Failure> VirtualStoreCopies(FileSystem& disk, std::vector<std::string>& copies) {
    for (const std::string& name : knownNames()) {
        const std::optional<std::string> copy = disk.virtualStoreCopy(name);
        if (!copy) return std::nullopt;
        EntryKind kind = EntryKind::None;
        if (auto failure = disk.kindOf(*copy, kind)) return failure;
        if (kind == EntryKind::None) continue;
        copies.push_back(copyFound(*copy, name));
    }
    return std::nullopt;
}

std::string BothActive() {
    return kBaseStore + " and " + kFsStore + " both say active, but only one variant can be active at a time";
}

std::optional<Failure> CheckFolder(FileSystem& disk, const StoresRead& stores, std::vector<std::string>& findings) {
    for (const Variant* variant : kVariants) {
        std::string problem;
        if (auto failure = StoreProblem(disk, *variant, stores.of(variant->store), problem)) return failure;
        if (!problem.empty()) findings.push_back(problem);
    }
    if (BothSayActive(stores)) findings.push_back(BothActive());

    for (const Placement& placement : Placements(stores)) {
        const std::string wanted = placement.wantedName();
        const std::string other = placement.otherName();
        Where where;
        if (auto failure = WhereItStands(disk, placement, where)) return failure;
        const std::string because = placement.because + ", but ";
        switch (where.standing) {
        case Standing::InPlace: break;
        case Standing::BothNames:
            findings.push_back(because + "both " + wanted + " and " + other + " are there");
            break;
        case Standing::Misplaced:
            // Under the name that an undecided store's variant gives it, that store may be why.
            findings.push_back(because + other + " is there and " + wanted + " is missing" +
                               (placement.certain ? "" : ": " + placement.doubt + ", may have moved it"));
            break;
        case Standing::Neither:
            findings.push_back(because + "neither " + wanted + " nor " + other + " is there");
            break;
        case Standing::NotAFile:
            for (const Entry& entry : where.nonFiles) findings.push_back(NotAFileSentence(entry));
            break;
        }
    }

    std::vector<std::string> listing;
    if (auto failure = disk.listFolder(listing)) return failure;
    std::sort(listing.begin(), listing.end());
    std::vector<OtherSpelling> spellings;
    if (auto failure = OtherSpellings(disk, listing, spellings)) return failure;
    for (const OtherSpelling& spelling : spellings) findings.push_back(spelling.sentence());
    std::vector<std::string> leftovers;
    std::vector<Entry> nonFiles;
    if (auto failure = Leftovers(disk, listing, leftovers, nonFiles)) return failure;
    for (const std::string& name : leftovers) {
        findings.push_back(name + " is left over from a store write that was cut short");
    }
    for (const Entry& entry : nonFiles) findings.push_back(NotAFileSentence(entry));
    return VirtualStoreCopies(disk, findings);
}

}  // namespace zark
