#pragma once

#include "switching/failure.h"

#include <windows.h>

#include <optional>
#include <string>

namespace zark {

// Starts the program file `program`, named by its full path so that no search for programs
// can reach another file of its name, with `commandLine` and the window state `show` (SW_*)
// in the working folder, and returns at once: the new program is neither waited for nor
// watched. A program that asks for elevation is started through the shell, which asks the
// player in front of `owner`; a player who says no has decided, and that is no failure. The
// failure names `program`.
std::optional<Failure> startProgram(HWND owner, const std::wstring& program, const std::wstring& commandLine,
                                    WORD show);

}  // namespace zark
