#include "help.h"

#include "failure.h"
#include "filesystem.h"
#include "win/errorreport.h"
#include "win/startprogram.h"
#include "win/systemfolders.h"
#include "winstrings.h"

#include <string>

namespace zark {

namespace {

// The help viewer where the system keeps it, by its full path, so that no winhlp32.exe that lies
// in the game folder or the working folder can run in its place: Windows keeps it in its own
// folder, Wine in the system folder only. Where neither has one, the Windows folder's is the
// one whose absence the report names.
std::optional<std::wstring> helpViewer() {
    const std::optional<std::wstring> windows = inWindowsFolder(L"winhlp32.exe");
    if (windows && GetFileAttributesW(windows->c_str()) != INVALID_FILE_ATTRIBUTES) return windows;
    const std::optional<std::wstring> system = inSystemFolder(L"winhlp32.exe");
    if (system && GetFileAttributesW(system->c_str()) != INVALID_FILE_ATTRIBUTES) return system;
    return windows;
}

}  // namespace

bool isHelpKey(const MSG& msg, const ZARKMain& main) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_F1 || msg.hwnd == nullptr) return false;
    const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    if (root == main.window()) return IsWindowEnabled(root) != FALSE;
    return root != nullptr && root == main.about().window();
}

// The viewer is started as any other program the launcher starts: it is not waited for, and
// what it asks the player, it asks on its own.
void openHelp(HWND owner) {
    const std::optional<std::wstring> viewer = helpViewer();
    if (!viewer) {
        showErrorReport(owner, lastFailure("winhlp32.exe"));
        return;
    }
    const std::wstring file = widen(FullPath("zarkhelp.hlp"));
    if (auto failure = startProgram(owner, *viewer, L"\"" + *viewer + L"\" \"" + file + L"\"", SW_SHOWNORMAL)) {
        showErrorReport(owner, *failure);
    }
}

}  // namespace zark
