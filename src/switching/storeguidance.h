#pragma once

#include "switching/failure.h"
#include "switching/filesystem.h"
#include "switching/modstate.h"
#include "switching/variants.h"

#include <optional>
#include <string>

namespace zark {

// Gives a store's failure to read at start-up the guidance that the status check gives: what is
// wrong with the store and what to write in it, and whatever else is out of place in the folder.
// Where the store is missing and the folder holds neither sun.exe nor any rule file under either
// name, the launcher was started outside the game folder (from a shortcut without a "Start in"
// folder), and the failure's cause says that instead.
void ExplainUnreadStore(FileSystem& disk, const StoresRead& stores, Failure& failure);

}  // namespace zark
