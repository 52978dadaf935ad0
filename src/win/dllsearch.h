#pragma once

#include "switching/failure.h"

#include <optional>

namespace zark {

// The programs' first act: every DLL loaded from then on, by the program or by Windows for it,
// comes from the system folder only, since a DLL among the game folder's files of other people
// must never run inside them. Windows without the call (Vista and 7 without KB2533623) keeps
// its search.
std::optional<Failure> loadDllsFromSystemFolderOnly();

}  // namespace zark
