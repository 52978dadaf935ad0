#pragma once

#include "switching/modstate.h"

#include <string>
#include <vector>

namespace zark {

// A rule file of the modification under its two names.
struct RuleFile {
    const char* inactiveName;
    const char* activeName;
};

// A variant: the name players know it by, its store and its rule files in the order of their
// renaming (the same order in both directions).
struct Variant {
    const char* label;
    const std::string& store;
    std::vector<RuleFile> files;
};

inline const Variant kBaseVariant{"ZARK", kBaseStore, {{"zarkrules.ini", "rules.ini"}, {"zarkart.ini", "art.ini"}}};
// Shares zarkrules.ini and zarkart.ini with the base-game variant: the modification has one copy.
inline const Variant kFsVariant{
    "ZARK-FS",
    kFsStore,
    {{"zarkfirestrm.ini", "firestrm.ini"}, {"zarkrules.ini", "rules.ini"}, {"zarkart.ini", "art.ini"}}};

inline const Variant* const kVariants[] = {&kBaseVariant, &kFsVariant};

// The variant whose store is `store`, or none.
const Variant* VariantWithStore(const std::string& store);

// Every name of a rule file, each once, in the order the variants name them.
std::vector<std::string> RuleFileNames();

}  // namespace zark
