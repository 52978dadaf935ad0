#pragma once

#include "modstate.h"

#include <string>
#include <vector>

namespace zark {

// A rule file of the modification under its two names.
struct RuleFile {
    const char* inactiveName;
    const char* activeName;
};

// A variant: its store and its rule files in the order of their renaming (the same order in
// both directions).
struct Variant {
    const std::string& store;
    std::vector<RuleFile> files;
};

inline const Variant kBaseVariant{kBaseStore, {{"zarkrules.ini", "rules.ini"}, {"zarkart.ini", "art.ini"}}};
// Shares zarkrules.ini and zarkart.ini with the base-game variant: the modification has one copy.
inline const Variant kFsVariant{kFsStore,
                                {{"zarkfirestrm.ini", "firestrm.ini"},
                                 {"zarkrules.ini", "rules.ini"},
                                 {"zarkart.ini", "art.ini"}}};

}  // namespace zark
