#pragma once

#include "failure.h"

#include <windows.h>

#include <optional>
#include <string>

namespace zark {

// Starts a command line in the working folder with the window state `show` (SW_*) and returns
// at once: the new program is neither waited for nor watched. `program` names the program
// file in the failure if it cannot be started.
std::optional<Failure> startProgram(const std::wstring& commandLine, WORD show, const std::string& program);

}  // namespace zark
