// The program's message box: the text, a single OK button, no icon and the application
// title, owned by the window that shows it. The answer is of no interest.
#pragma once

#include "version.h"

#include <windows.h>

#include <string>

namespace zark {

inline constexpr wchar_t kAppTitle[] = L"" ZARK_PRODUCT_NAME;

inline void showMessage(HWND owner, const std::wstring& text) { MessageBoxW(owner, text.c_str(), kAppTitle, MB_OK); }

}  // namespace zark
