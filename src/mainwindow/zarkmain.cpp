// The main window: its layout, start-up, its indicators and the keyboard, and following the folder.
#include "mainwindow/zarkmain.h"

#include "resources/resource.h"
#include "resources/version.h"
#include "switching/filesystem.h"
#include "switching/storeguidance.h"
#include "switching/variants.h"
#include "win/scoped.h"

#include <windowsx.h>

#include <variant>

namespace zark {

namespace {

// Each variant's indicator, in pixels at 96 dpi in the client area, over its frame in the
// background picture.
constexpr RECT kModStatus{326, 104, 326 + 121, 104 + 24};
constexpr RECT kFsModStatus{328, 174, 328 + 113, 174 + 24};

// The keys by which the keyboard moves the focus in a dialog: from their first use on, the
// focused indicator shows it.
bool movesFocus(WPARAM key) {
    return key == VK_TAB || key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
}

}  // namespace

// Fixed single border with the close button and window menu, no minimize or maximize; the
// background is not painted under the indicators. The client area lies below the menu bar.
const WindowDesign ZARKMain::kDesign{ZARK_MAIN_CLASS,
                                     L"Tiberian Sun Zarkonid Launcher (version " ZARK_RELEASE ")",
                                     WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                                     0,
                                     {256, 195, 256 + 456, 195 + 318},
                                     IDR_MAINMENU,
                                     // Shows only in the bottom pixel row, below the background.
                                     COLOR_BTNFACE};

ZARKMain::ZARKMain()
    : modstatus(kBaseVariant, IDC_MODSTATUS, kModStatus, artwork_.active(), artwork_.deactive()),
      fsmodstatus(kFsVariant, IDC_FSMODSTATUS, kFsModStatus, artwork_.fsactive(), artwork_.fsdeactive()) {}

std::optional<Failure> ZARKMain::OnCreate(HINSTANCE instance) {
    if (!artwork_.find(instance)) return lastFailure({});
    if (auto failure = modstatus.create(instance, hwnd_, true)) return failure;
    if (auto failure = fsmodstatus.create(instance, hwnd_, false)) return failure;
    if (auto failure = layOut()) return failure;
    return Form_Load();
}

std::optional<Failure> ZARKMain::layOut() {
    if (auto failure = artwork_.showAt(instance(), dpi())) return failure;
    if (auto failure = modstatus.place(dpi())) return failure;
    return fsmodstatus.place(dpi());
}

void ZARKMain::PaintContent(HDC dc) const { drawDib(dc, artwork_.background(), 0, 0); }

LRESULT ZARKMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(hwnd_, WM_COMMAND, OnCommand);
        HANDLE_MSG(hwnd_, WM_DRAWITEM, OnDrawItem);
        HANDLE_MSG(hwnd_, WM_DESTROY, OnDestroy);
    case WM_ACTIVATE:
        OnActivate(hwnd_, LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        // The focus given to an indicator stays there.
        if (LOWORD(wParam) != WA_INACTIVE) return 0;
        break;
    case WM_CTLCOLORBTN:
        // The indicators draw every pixel themselves: no background is filled first.
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    case WM_CHANGEUISTATE:
    case WM_UPDATEUISTATE: followUiState(wParam); break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

bool ZARKMain::preTranslate(MSG& msg) {
    if (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd)) return false;
    if (msg.message != WM_KEYDOWN) return IsDialogMessageW(hwnd_, &msg) != FALSE;
    // Windows' dialog navigation says so itself; some systems leave it to the window.
    if (movesFocus(msg.wParam)) SendMessageW(hwnd_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    // Up and Left go to the upper indicator, Down and Right to the lower one, as in a dialog's
    // column of buttons. The dialog navigation would wrap round, and hands the move to the window
    // in a message that a plain window ignores.
    switch (msg.wParam) {
    case VK_UP:
    case VK_LEFT: SetFocus(modstatus.window()); return true;
    case VK_DOWN:
    case VK_RIGHT: SetFocus(fsmodstatus.window()); return true;
    }
    return IsDialogMessageW(hwnd_, &msg) != FALSE;
}

// Once the keyboard has been used to move the focus, the focused indicator shows it, as the
// system's buttons do; a window told to hide it again does. A click alone never shows it, even
// where the system is set to show keyboard cues always (Wine's default): the mouse leaves the
// window's pixels as they are.
void ZARKMain::followUiState(WPARAM change) {
    if (!(HIWORD(change) & UISF_HIDEFOCUS)) return;
    bool shown = focusShown_;
    if (LOWORD(change) == UIS_CLEAR) shown = true;
    if (LOWORD(change) == UIS_SET) shown = false;
    if (shown == focusShown_) return;
    focusShown_ = shown;
    for (const Indicator* indicator : {&modstatus, &fsmodstatus}) InvalidateRect(indicator->window(), nullptr, FALSE);
}

// Menu items, their shortcuts and the indicators all arrive here.
void ZARKMain::OnCommand(HWND, int id, HWND, UINT code) {
    switch (id) {
    case IDM_ACTIVATEZARK: activatezark_Click(); break;
    case IDM_DEACTIVATEZARK: deactivatezark_Click(); break;
    case IDM_ACTIVATEZARKFS: activatezarkfs_Click(); break;
    case IDM_DEACTIVATEZARKFS: deactivatezarkfs_Click(); break;
    case IDM_RUNTIBERIANSUN: runtiberiansun_Click(); break;
    case IDM_EXITLAUNCHER: exitlauncher_Click(); break;
    case IDM_SHOWREADME: showreadme_Click(); break;
    case IDM_SHOWHISTORY: showhistory_Click(); break;
    case IDM_SHOWLAUNCHERHISTORY: showlauncherhistory_Click(); break;
    case IDM_VISITHOMEPAGE: visithomepage_Click(); break;
    case IDM_VISITNVARO: visitnvaro_Click(); break;
    case IDM_VIEWABOUT: viewabout_Click(); break;
    case IDM_VIEWHELP: viewhelp_Click(); break;
    // The second click of a double click is a click too: each click on an indicator switches.
    case IDC_MODSTATUS:
        if (code == BN_CLICKED || code == BN_DOUBLECLICKED) indicator_Click(modstatus);
        break;
    case IDC_FSMODSTATUS:
        if (code == BN_CLICKED || code == BN_DOUBLECLICKED) indicator_Click(fsmodstatus);
        break;
    // Enter presses the indicator that has the focus, as it presses a focused push button.
    case IDOK:
        for (const Indicator* indicator : {&modstatus, &fsmodstatus}) {
            if (GetFocus() == indicator->window()) indicator_Click(*indicator);
        }
        break;
    }
}

void ZARKMain::OnDrawItem(HWND, const DRAWITEMSTRUCT* item) {
    for (const Indicator* indicator : {&modstatus, &fsmodstatus}) {
        if (static_cast<int>(item->CtlID) == indicator->id()) indicator->draw(*item, focusShown_, dpi());
    }
}

// The focus goes back to the indicator that had it when a message box, the About box or another
// program took the activation away, and to the ZARK indicator when none had it yet, so that the
// first key already acts. The folder is followed afresh, but not before the window has first gone
// idle: a start is shown without waiting for it.
void ZARKMain::OnActivate(HWND, UINT state, HWND, BOOL) {
    if (state != WA_INACTIVE) {
        SetFocus(lastFocus_ != nullptr ? lastFocus_ : modstatus.window());
        if (idle_) followFolderAfresh();
        return;
    }
    const HWND focus = GetFocus();
    if (focus == modstatus.window() || focus == fsmodstatus.window()) lastFocus_ = focus;
}

// A window whose creation failed posts no quit message: it would close the error report that
// follows at once.
void ZARKMain::OnDestroy(HWND) {
    if (!creationFailed()) PostQuitMessage(0);
}

std::optional<Failure> ZARKMain::Form_Load() {
    FileSystem& disk = realFileSystem();
    const StoresRead stores = ReadStores(disk);
    for (const StoreRead* read : {&stores.base, &stores.fs}) {
        if (const Failure* unread = std::get_if<Failure>(&read->state)) {
            Failure failure = *unread;
            ExplainUnreadStore(disk, stores, failure);
            return failure;
        }
    }
    // A store that is not set shows as inactive; the store itself keeps its content.
    modstatus.show(std::get<ModState>(stores.base.state));
    fsmodstatus.show(std::get<ModState>(stores.fs.state));
    return std::nullopt;
}

void ZARKMain::wentIdle() {
    idle_ = true;
    followFolderAfresh();
}

// The indicators catch up with what another program may have switched meanwhile, while a
// message box or menu held up the watch; the watch starts afresh first, so that one that ended (a
// folder removed and put back, a drive that came back) watches again and no change after the read
// is missed.
void ZARKMain::followFolderAfresh() {
    watch_.start();
    storesChanged();
}

// Read while no other program switches, each store open for its read alone. A store that cannot
// be read this moment (being replaced, held, gone) leaves its indicator as it is, and the window
// does not wait for it: the next change or command puts it right. While another program
// switches, the read is tried again in a moment.
void ZARKMain::storesChanged() {
    const std::optional<StoresRead> stores = GlanceBetweenSwitches(realFileSystem());
    if (!stores) {
        watch_.readLater();
        return;
    }
    showStores(*stores);
}

void ZARKMain::showStores(const StoresRead& stores) {
    if (const ModState* stored = std::get_if<ModState>(&stores.base.state)) modstatus.show(*stored);
    if (const ModState* stored = std::get_if<ModState>(&stores.fs.state)) fsmodstatus.show(*stored);
}

}  // namespace zark
