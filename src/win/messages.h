// The program's message boxes: the text, a single OK button and the application title, owned by
// the window that shows them, with the buttons of Windows' own look. The answer is of no
// interest.
#pragma once

#include "version.h"

#include <windows.h>

#include <string>

namespace zark {

inline constexpr wchar_t kAppTitle[] = L"" ZARK_PRODUCT_NAME;

// A message box of `style` (MB_OK and an icon, if any).
void showMessageBox(HWND owner, const std::wstring& text, UINT style);

// The program's plain message: no icon.
inline void showMessage(HWND owner, const std::wstring& text) { showMessageBox(owner, text, MB_OK); }

}  // namespace zark
