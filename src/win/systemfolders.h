#pragma once

#include <optional>
#include <string>

namespace zark {

// The full path of a file in the Windows folder (C:\Windows), where Windows keeps Notepad and
// the help viewer, or in the system folder (C:\Windows\System32); none where the system cannot
// tell. Whether the file is there is not looked at.
std::optional<std::wstring> inWindowsFolder(const wchar_t* file);
std::optional<std::wstring> inSystemFolder(const wchar_t* file);

}  // namespace zark
