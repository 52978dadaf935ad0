#include "foldercheck.h"

#include <algorithm>
#include <cctype>

namespace zark {

namespace {

struct Mover {
    const Variant& variant;
    ModState state;
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
};

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
    for (const Variant* variant : {&kBaseVariant, &kFsVariant}) {
        for (const RuleFile& file : variant->files) {
            for (const std::string name : {file.inactiveName, file.activeName}) {
                if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
            }
        }
    }
    return names;
}

ModState stateOf(const StoreRead& read) { return std::get<ModState>(read.state); }

}  // namespace

std::vector<Placement> Placements(ModState basestate, ModState fsstate) {
    const std::vector<Mover> movers{{kBaseVariant, basestate}, {kFsVariant, fsstate}};
    std::vector<Placement> placements;
    for (const Moved& moved : ruleFiles(movers)) {
        const ModState wanted = moved.movedBy(kActive) ? kActive : kInactive;
        if (wanted == kInactive && !moved.movedBy(kInactive)) continue;
        const bool certain = wanted == kActive || std::all_of(moved.movers.begin(), moved.movers.end(),
                                                              [](const Mover* m) { return m->state == kInactive; });
        placements.push_back({moved.file, wanted, certain, moved.storesSaying(wanted)});
    }
    return placements;
}

std::optional<Failure> Look(FileSystem& fs, const Placement& placement, Found& found) {
    if (auto failure = fs.fileExists(placement.wantedName(), found.wanted)) return failure;
    return fs.fileExists(placement.otherName(), found.other);
}

std::optional<Failure> OtherSpellings(FileSystem& fs, const std::vector<std::string>& listing,
                                      std::vector<OtherSpelling>& found) {
    for (const std::string& name : knownNames()) {
        const bool listed = std::find(listing.begin(), listing.end(), name) != listing.end();
        for (const std::string& entry : listing) {
            if (entry == name || lowered(entry) != lowered(name)) continue;
            // Where the system finds `entry` under `name`, the folder ignores case and the two
            // are one file; otherwise they are two.
            bool exists = false;
            if (!listed) {
                if (auto failure = fs.fileExists(name, exists)) return failure;
            }
            if (listed || !exists) found.push_back({entry, name});
        }
    }
    return std::nullopt;
}

std::string UndecidedStore(const std::string& store, const StoreRead& read) {
    std::string text = store + " says " + DescribeState(std::get<ModState>(read.state)) +
                       ", neither active nor inactive";
    if (read.byteOrderMark) {
        text += ": it begins with a byte-order mark, so save it as ANSI (plain text), not as Unicode or UTF-8";
    }
    return text;
}

std::string BothActive() {
    return kBaseStore + " and " + kFsStore + " both say active, but only one variant can be active at a time";
}

std::optional<Failure> CheckFolder(FileSystem& fs, const StoresRead& stores, std::vector<std::string>& findings) {
    const ModState basestate = stateOf(stores.base);
    const ModState fsstate = stateOf(stores.fs);
    if (!IsDecided(basestate)) findings.push_back(UndecidedStore(kBaseStore, stores.base));
    if (!IsDecided(fsstate)) findings.push_back(UndecidedStore(kFsStore, stores.fs));
    if (basestate == kActive && fsstate == kActive) findings.push_back(BothActive());

    for (const Placement& placement : Placements(basestate, fsstate)) {
        const std::string wanted = placement.wantedName();
        const std::string other = placement.otherName();
        Found found;
        if (auto failure = Look(fs, placement, found)) return failure;
        if (found.wanted && !found.other) continue;

        const std::string because = placement.because + ", but ";
        if (found.wanted) {
            findings.push_back(because + "both " + wanted + " and " + other + " are there");
        } else if (found.other) {
            findings.push_back(because + other + " is there and " + wanted + " is missing");
        } else {
            findings.push_back(because + "neither " + wanted + " nor " + other + " is there");
        }
    }

    std::vector<std::string> listing;
    if (auto failure = fs.listFolder(listing)) return failure;
    std::sort(listing.begin(), listing.end());
    std::vector<OtherSpelling> spellings;
    if (auto failure = OtherSpellings(fs, listing, spellings)) return failure;
    for (const OtherSpelling& spelling : spellings) findings.push_back(spelling.sentence());
    for (const std::string& name : listing) {
        if (IsStoreTemporary(name)) findings.push_back(name + " is left over from a store write that was cut short");
    }
    return std::nullopt;
}

}  // namespace zark
