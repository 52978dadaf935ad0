#include "mainwindow/help.h"

#include "switching/failure.h"
#include "switching/filesystem.h"
#include "switching/winstrings.h"
#include "win/errorreport.h"
#include "win/messagebox.h"
#include "win/startprogram.h"
#include "win/systemfolders.h"

#include <string>

namespace zark {

namespace {

// The help viewer where the system keeps it, by its full path, so that no winhlp32.exe that lies
// in the game folder or the working folder can run in its place: Windows keeps it in its own
// folder, Wine in the system folder only. None where neither has one.
std::optional<std::wstring> helpViewer() {
    for (const auto folder : {inWindowsFolder, inSystemFolder}) {
        const std::optional<std::wstring> viewer = folder(L"winhlp32.exe");
        if (viewer && GetFileAttributesW(viewer->c_str()) != INVALID_FILE_ATTRIBUTES) return viewer;
    }
    return std::nullopt;
}

}  // namespace

bool isHelpKey(const MSG& msg, const ZARKMain& main) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_F1 || msg.hwnd == nullptr) return false;
    const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    if (root == main.window()) return IsWindowEnabled(root) != FALSE;
    return root != nullptr && root == main.about().window();
}

// The viewer is started as any other program the launcher starts: it is not waited for, and
// what it asks the player, it asks on its own. Most systems have none: Windows 10 and 11 come
// without it, so the player learns where the help file is and what to read instead.
void openHelp(HWND owner) {
    const std::wstring file = widen(FullPath("zarkhelp.hlp"));
    const std::optional<std::wstring> viewer = helpViewer();
    if (!viewer) {
        showMessage(owner, L"The help file is " + file +
                               L", but this system has no viewer for .hlp help files: Windows 10 and 11 come "
                               L"without one.\n\nRead the ZARK Readme instead (Documents menu, F2), or open the "
                               L"help file with a viewer for .hlp files of your own.");
        return;
    }
    if (auto failure = startProgram(owner, *viewer, L"\"" + *viewer + L"\" \"" + file + L"\"", SW_SHOWNORMAL)) {
        showErrorReport(owner, *failure);
    }
}

}  // namespace zark
