#include "messages.h"

#include "themedcontrols.h"

namespace zark {

void showMessageBox(HWND owner, const std::wstring& text, UINT style) {
    const ThemedControls themed;
    MessageBoxW(owner, text.c_str(), kAppTitle, style);
}

}  // namespace zark
