#include "win/messagebox.h"

#include "win/themedcontrols.h"

namespace zark {

namespace {

int messageBox(HWND owner, const std::wstring& text, UINT style) {
    const ThemedControls themed;
    return MessageBoxW(owner, text.c_str(), kAppTitle, style);
}

}  // namespace

void showMessageBox(HWND owner, const std::wstring& text, UINT style) { messageBox(owner, text, style); }

bool askAfterFailure(HWND owner, const std::wstring& text) {
    return messageBox(owner, text, MB_YESNO | MB_ICONERROR) == IDYES;
}

}  // namespace zark
