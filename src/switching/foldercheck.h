#pragma once

#include "switching/entrykind.h"
#include "switching/failure.h"
#include "switching/filesystem.h"
#include "switching/modstate.h"
#include "switching/variants.h"

#include <optional>
#include <string>
#include <vector>

namespace zark {

// What is wrong with a variant's store, and what to write in it: it cannot be read (missing,
// empty, a number out of range, a folder, too long), says neither active nor inactive, or is a
// link. Empty for a plain file that says active or inactive.
std::optional<Failure> StoreProblem(FileSystem& disk, const Variant& variant, const StoreRead& read,
                                    std::string& problem);

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
    // Where not certain, the stores that might have moved it: "zarkdata.dat, which says not set".
    std::string doubt;

    std::string wantedName() const { return wanted == kActive ? file.activeName : file.inactiveName; }
    std::string otherName() const { return wanted == kActive ? file.inactiveName : file.activeName; }
};

// Each rule file once, in the order the variants name them, that the stores want somewhere; a
// file whose variants all say neither active nor inactive is left out. A store that cannot be
// read decides nothing, like one that says neither.
std::vector<Placement> Placements(const StoresRead& stores);

// Both stores say active, which the switches never leave behind.
bool BothSayActive(const StoresRead& stores);

// A name in the folder and what it is.
struct Entry {
    std::string name;
    EntryKind kind;
};

// "rules.ini is a folder, not a file".
std::string NotAFileSentence(const Entry& entry);

// Where a rule file stands against where the stores want it. A name that holds something other
// than a plain file (a folder, a link, a device) is its own answer: it is not the rule file, and
// only the player can say what it is for.
enum class Standing { InPlace, Misplaced, BothNames, Neither, NotAFile };

struct Where {
    Standing standing = Standing::Neither;
    std::vector<Entry> nonFiles;  // for NotAFile: each of the file's two names that is no file
};

std::optional<Failure> WhereItStands(FileSystem& disk, const Placement& placement, Where& where);

// A name in the folder that is a store's or a rule file's name spelt otherwise ("RULES.INI"),
// on a file system that keeps the two apart: the game under Wine may read either.
struct OtherSpelling {
    std::string found;
    std::string name;

    std::string sentence() const {
        return found + " is another spelling of " + name + ", which the game under Wine may read in its place";
    }
};

std::optional<Failure> OtherSpellings(FileSystem& disk, const std::vector<std::string>& listing,
                                      std::vector<OtherSpelling>& found);

// The temporary files of cut-short store writes among the names of the folder; a name of theirs
// that is no file goes to `nonFiles`.
std::optional<Failure> Leftovers(FileSystem& disk, const std::vector<std::string>& listing,
                                 std::vector<std::string>& files, std::vector<Entry>& nonFiles);

// Checks what the switches never check (they trust the stores): that the stores can be read
// and hold 1 or 2, that the rule files stand where the stores say, that no other spelling of a
// known name and no temporary file of a cut-short store write lies in the folder, and that each
// of these names holds a plain file. Appends one plain sentence per finding.
std::optional<Failure> CheckFolder(FileSystem& disk, const StoresRead& stores, std::vector<std::string>& findings);

// The copies of the stores and rule files that Windows keeps for old programs in the player's
// VirtualStore (see FileSystem::virtualStoreCopy). One sentence per copy found, saying who reads
// it and to delete it: the game reads a rule file's copy, whatever the switches do; nothing reads
// a store's copy but the older launcher that left it.
std::optional<Failure> VirtualStoreCopies(FileSystem& disk, std::vector<std::string>& copies);

// The finding of both stores saying active.
std::string BothActive();

// What the check says where it finds nothing out of place.
inline const std::string kRulesAgree = "The rule files agree with the stores.";

}  // namespace zark
