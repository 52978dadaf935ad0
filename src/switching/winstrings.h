#pragma once

#include <string>

namespace zark {

// UTF-8 inside the program, UTF-16 at the Windows API.
std::wstring widen(const std::string& text);
std::string narrow(const std::wstring& text);

}  // namespace zark
