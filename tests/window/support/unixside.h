// The system underneath Wine, for what no Windows program can do to another: remove a folder
// that a program works in, as a drive that goes away does, and read a program's processor time,
// which Wine does not tell another process.
#pragma once

#include <string>

namespace windowtest {

// The host system's path of a Windows path.
std::string unixPath(const std::wstring& windowsPath);

// Runs a command of the host system's shell to its end; what it wrote on standard output.
std::string runUnixShell(const std::string& command);

}  // namespace windowtest
