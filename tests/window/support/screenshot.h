// Pictures of the screen for people to look at; no test compares them.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

namespace windowtest {

// Saves the part of the screen that holds these windows as <name>.bmp in the folder named by
// ZARK_SCREENSHOTS; does nothing when that variable is not set.
void saveScreenshot(const std::wstring& name, std::initializer_list<HWND> windows);

}  // namespace windowtest
