// The program's message boxes: the text, its buttons and the application title, owned by the
// window that shows them, with the buttons of Windows' own look. A message's answer is of no
// interest; an offer's is.
#pragma once

#include "resources/version.h"

#include <windows.h>

#include <string>

namespace zark {

inline constexpr wchar_t kAppTitle[] = L"" ZARK_PRODUCT_NAME;

// A message box of `style` (MB_OK and an icon, if any).
void showMessageBox(HWND owner, const std::wstring& text, UINT style);

// The program's plain message: no icon.
inline void showMessage(HWND owner, const std::wstring& text) { showMessageBox(owner, text, MB_OK); }

// A failure's report that offers to put it right: the error icon, Yes and No. True for Yes; a box
// that cannot be shown is a No.
bool askAfterFailure(HWND owner, const std::wstring& text);

}  // namespace zark
