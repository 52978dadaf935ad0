#pragma once

#include "failure.h"
#include "filesystem.h"
#include "modstate.h"
#include "variants.h"

#include <optional>
#include <string>

namespace zark {

// What is wrong with a variant's store, and what to write in it: it cannot be read (missing,
// empty, a number out of range, a folder, too long), says neither active nor inactive, or is a
// link. Empty for a plain file that says active or inactive.
std::optional<Failure> StoreProblem(FileSystem& disk, const Variant& variant, const StoreRead& read,
                                    std::string& problem);

// Gives a store's failure to read at start-up the guidance that the status check gives: what is
// wrong with the store and what to write in it, and to run zarkswitch status in the game folder.
// Where the store is missing and the folder holds neither sun.exe nor any rule file under either
// name, the launcher was started outside the game folder (from a shortcut without a "Start in"
// folder), and the failure's cause says that instead.
void ExplainUnreadStore(FileSystem& disk, Failure& failure);

}  // namespace zark
