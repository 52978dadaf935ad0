#pragma once

#include "failure.h"
#include "filesystem.h"
#include "modstate.h"
#include "variants.h"

#include <optional>
#include <string>
#include <vector>

namespace zark {

// Where the stores want a rule file: under the game's name while a variant that moves it is
// active, under its zark name while those that move it are inactive.
struct Placement {
    RuleFile file;
    ModState wanted;  // kActive or kInactive
    // Every variant that moves the file says active or inactive, or one says active; false
    // while another one's store holds something else, which might mean active.
    bool certain = true;
    // The stores that want it there: "zarkdata.dat says active", "zarkdata.dat and
    // zarkdata2.dat say inactive".
    std::string because;

    std::string wantedName() const { return wanted == kActive ? file.activeName : file.inactiveName; }
    std::string otherName() const { return wanted == kActive ? file.inactiveName : file.activeName; }
};

// Which of a rule file's two names the folder holds.
struct Found {
    bool wanted = false;
    bool other = false;
};

std::optional<Failure> Look(FileSystem& fs, const Placement& placement, Found& found);

// Each rule file once, in the order the variants name them, that the stores want somewhere;
// a file whose variants all say neither active nor inactive is left out.
std::vector<Placement> Placements(ModState basestate, ModState fsstate);

// A name in the folder that is a store's or a rule file's name spelt otherwise ("RULES.INI"),
// on a file system that keeps the two apart: the game under Wine may read either.
struct OtherSpelling {
    std::string found;
    std::string name;

    std::string sentence() const {
        return found + " is another spelling of " + name + ", which the game under Wine may read in its place";
    }
};

std::optional<Failure> OtherSpellings(FileSystem& fs, const std::vector<std::string>& listing,
                                      std::vector<OtherSpelling>& found);

// Checks what the switches never check (they trust the stores): that the stores hold 1 or 2,
// that the rule files stand where the stores say, that no other spelling of a known name and
// no temporary file of a cut-short store write lies in the folder. Appends one plain sentence
// per finding. Both stores must have been read.
std::optional<Failure> CheckFolder(FileSystem& fs, const StoresRead& stores, std::vector<std::string>& findings);

// The finding of both stores saying active.
std::string BothActive();

// "zarkdata.dat says 7, neither active nor inactive", with a hint where the store begins with
// a byte-order mark.
std::string UndecidedStore(const std::string& store, const StoreRead& read);

}  // namespace zark
