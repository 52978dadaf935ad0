#include "help.h"

#include "failure.h"
#include "win/errorreport.h"
#include "winstrings.h"

#include <string>

namespace zark {

bool isHelpKey(const MSG& msg, const ZARKMain& main) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_F1 || msg.hwnd == nullptr) return false;
    const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    if (root == main.window()) return IsWindowEnabled(root) != FALSE;
    return root != nullptr && root == main.about().window();
}

void openHelp(HWND mainWindow) {
    wchar_t folder[MAX_PATH];
    const DWORD length = GetCurrentDirectoryW(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH) {
        showErrorReport(mainWindow, lastFailure("zarkhelp.hlp"));
        return;
    }
    std::wstring file(folder, length);
    if (file.back() != L'\\') file += L'\\';
    file += L"zarkhelp.hlp";
    if (!WinHelpW(mainWindow, file.c_str(), HELP_FINDER, 0)) {
        showErrorReport(mainWindow, lastFailure(narrow(file)));
    }
}

}  // namespace zark
