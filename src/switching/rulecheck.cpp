#include "rulecheck.h"

#include "variants.h"

namespace zark {

namespace {

struct Mover {
    const Variant& variant;
    ModState state;
};

// A rule file with the variants that move it.
struct Checked {
    RuleFile file;
    std::vector<const Mover*> movers;

    bool movedBy(ModState state) const {
        for (const Mover* mover : movers) {
            if (mover->state == state) return true;
        }
        return false;
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
std::vector<Checked> ruleFiles(const std::vector<Mover>& movers) {
    std::vector<Checked> files;
    for (const Mover& mover : movers) {
        for (const RuleFile& file : mover.variant.files) {
            auto known = files.begin();
            while (known != files.end() && std::string(known->file.inactiveName) != file.inactiveName) ++known;
            if (known == files.end()) known = files.insert(files.end(), Checked{file, {}});
            known->movers.push_back(&mover);
        }
    }
    return files;
}

}  // namespace

std::optional<Failure> CheckRuleFiles(FileSystem& fs, ModState basestate, ModState fsstate,
                                      std::vector<std::string>& findings) {
    if (basestate == kActive && fsstate == kActive) {
        findings.push_back(kBaseStore + " and " + kFsStore +
                           " both say active, but only one variant can be active at a time");
    }
    const std::vector<Mover> movers{{kBaseVariant, basestate}, {kFsVariant, fsstate}};
    for (const Checked& checked : ruleFiles(movers)) {
        const ModState expected = checked.movedBy(kActive) ? kActive : kInactive;
        if (expected == kInactive && !checked.movedBy(kInactive)) continue;

        const std::string wanted = expected == kActive ? checked.file.activeName : checked.file.inactiveName;
        const std::string other = expected == kActive ? checked.file.inactiveName : checked.file.activeName;
        bool wantedThere = false;
        bool otherThere = false;
        if (auto failure = fs.fileExists(wanted, wantedThere)) return failure;
        if (auto failure = fs.fileExists(other, otherThere)) return failure;
        if (wantedThere && !otherThere) continue;

        const std::string because = checked.storesSaying(expected) + ", but ";
        if (wantedThere) {
            findings.push_back(because + "both " + wanted + " and " + other + " are there");
        } else if (otherThere) {
            findings.push_back(because + other + " is there and " + wanted + " is missing");
        } else {
            findings.push_back(because + "neither " + wanted + " nor " + other + " is there");
        }
    }
    return std::nullopt;
}

}  // namespace zark
