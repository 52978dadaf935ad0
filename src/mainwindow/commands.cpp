// The main window's commands that hand work to other programs: the game, Notepad, the web
// browser, the About box and the help hint.
#include "mainwindow/zarkmain.h"

#include "switching/failure.h"
#include "switching/filesystem.h"
#include "switching/winstrings.h"
#include "win/comapartment.h"
#include "win/dlllookup.h"
#include "win/errorreport.h"
#include "win/messagebox.h"
#include "win/startprogram.h"
#include "win/systemfolders.h"

#include <shellapi.h>

namespace zark {

namespace {

const std::wstring kHomePage = L"http://zark.example.com/";
const std::wstring kNvaroSite = L"http://nvaro.example.org/";

}  // namespace

// The game of this folder and no other: a sun.exe elsewhere on the machine must never start.
// The game still sees its command line as "sun.exe". Where the folder holds none, the launcher
// was put elsewhere than beside the game, and the report says so.
void ZARKMain::runtiberiansun_Click() {
    if (auto failure = startProgram(hwnd_, widen(FullPath("sun.exe")), L"sun.exe", SW_SHOWNORMAL)) {
        if (failure->number == ERROR_FILE_NOT_FOUND || failure->number == ERROR_PATH_NOT_FOUND) {
            failure->cause = Cause::GameMissing;
        }
        showErrorReport(hwnd_, *failure);
    }
}

// Notepad from the system's Windows folder, whichever drive the game lies on; its path is
// quoted so that a folder with blanks cannot be taken for another program. The document is
// named without a folder, so Notepad finds it in the game folder it inherits.
void ZARKMain::showDocument(const std::wstring& document) {
    const std::optional<std::wstring> notepad = inWindowsFolder(L"notepad.exe");
    if (!notepad) {
        showErrorReport(hwnd_, lastFailure("notepad.exe"));
        return;
    }
    if (auto failure = startProgram(hwnd_, *notepad, L"\"" + *notepad + L"\" " + document, SW_SHOWMINIMIZED)) {
        showErrorReport(hwnd_, *failure);
    }
}

void ZARKMain::showreadme_Click() { showDocument(L"ZARKreadme.txt"); }

void ZARKMain::showhistory_Click() { showDocument(L"ZARKhistory.txt"); }

void ZARKMain::showlauncherhistory_Click() { showDocument(L"Zarklauncherhistory.txt"); }

// Opens the address in the default browser. The shell's answer (32 or less on failure) is
// handed back; a page that does not open is the browser's business, so nobody looks at it.
// The shell may hand the address on through COM, so the thread must be in an apartment first;
// without one it still tries. The shell is loaded when it is first needed: most starts never
// open a page.
int ZARKMain::StartURL(const std::wstring& address) {
    static const auto shellExecute = systemFunction<decltype(&ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
    if (shellExecute == nullptr) return 0;
    enterComApartment();
    const HINSTANCE result =
        shellExecute(GetDesktopWindow(), L"open", address.c_str(), nullptr, L"C:\\", SW_SHOWNORMAL);
    return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

void ZARKMain::visithomepage_Click() { StartURL(kHomePage); }

void ZARKMain::visitnvaro_Click() { StartURL(kNvaroSite); }

// The disabled main window cannot ask a second time while the box is open.
void ZARKMain::viewabout_Click() {
    if (about_.window() == nullptr) {
        if (auto failure = about_.load(instance(), hwnd_)) {
            showErrorReport(hwnd_, *failure);
            return;
        }
    }
    about_.show();
}

void ZARKMain::viewhelp_Click() { showMessage(hwnd_, L"Click on F1 to view the help file"); }

}  // namespace zark
