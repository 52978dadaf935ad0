#pragma once

#include "switching/failure.h"

#include <windows.h>

#include <optional>
#include <string>

namespace zark {

// Starts `program` by its full path, so that no search can reach another file of its name, with
// `commandLine` and the window state `show` in the working folder, and neither waits for it nor
// watches it. One that asks for elevation is started through the shell, which asks the player in
// front of `owner`; a No is no failure. The failure names `program`.
std::optional<Failure> startProgram(HWND owner, const std::wstring& program, const std::wstring& commandLine,
                                    WORD show);

}  // namespace zark
