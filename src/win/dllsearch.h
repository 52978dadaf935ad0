#pragma once

#include "switching/failure.h"

#include <optional>

namespace zark {

// Makes the process load every DLL that it loads after start (by its own LoadLibrary calls and
// by Windows on its behalf, as uxtheme and the common controls' helpers are) from the system
// folder only. The game folder, where the programs live, is full of other people's files: a DLL
// there must never run inside them, least of all when a player runs them as administrator.
// The programs' first act. Where Windows lacks the call (Vista and 7 without update
// KB2533623), the search stays as Windows has it.
std::optional<Failure> loadDllsFromSystemFolderOnly();

}  // namespace zark
