// The main window itself, its start-up and the procedures that switch the modification.
#include "zarkmain.h"

#include "filesystem.h"
#include "picture.h"
#include "report.h"
#include "resources/resource.h"
#include "version.h"
#include "win/clientarea.h"
#include "win/dpi.h"
#include "win/errorreport.h"
#include "win/messages.h"
#include "win/scoped.h"
#include "winstrings.h"

#include <windowsx.h>

#include <variant>

namespace zark {

namespace {

constexpr wchar_t kCaption[] = L"Tiberian Sun Zarkonid Launcher (version " ZARK_RELEASE ")";
// Fixed single border with the close button and window menu, no minimize or maximize; the
// background is not painted under the pictures.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

// The layout, in pixels at 96 dpi. The client area on the screen, below the menu bar:
constexpr RECT kClientArea{256, 195, 256 + 456, 195 + 318};

// Each pair of indicator pictures shares one rectangle.
constexpr RECT kBasePair{326, 104, 326 + 121, 104 + 24};
constexpr RECT kExpansionPair{328, 174, 328 + 113, 174 + 24};

}  // namespace

ZARKMain::ZARKMain(HINSTANCE instance) : instance_(instance) {}

bool ZARKMain::registerClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_ZARK));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_ZARK), IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    if (!windowClass.hIcon || !windowClass.hIconSm || !windowClass.hCursor) return false;
    // Shows only in the bottom pixel row, below the background picture.
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszMenuName = MAKEINTRESOURCEW(IDR_MAINMENU);
    windowClass.lpszClassName = ZARK_MAIN_CLASS;
    return RegisterClassExW(&windowClass) != 0;
}

// The window learns its DPI only once it exists: it is created at the layout's own size and
// then laid out at the DPI of the monitor that it opened on, before it is ever shown.
std::optional<Failure> ZARKMain::create() {
    RECT frame = kClientArea;
    if (!AdjustWindowRectEx(&frame, kStyle, TRUE, 0)) return lastFailure({});
    if (!createWindow(0, ZARK_MAIN_CLASS, kCaption, kStyle, frame, instance_)) {
        if (creationFailure_) return creationFailure_;
        return lastFailure({});
    }
    creationFailure_ = placeClientArea(hwnd_, scaled(kClientArea, dpi_));
    if (creationFailure_) {
        DestroyWindow(hwnd_);
        return creationFailure_;
    }
    return std::nullopt;
}

LRESULT ZARKMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(hwnd_, WM_CREATE, OnCreate);
        HANDLE_MSG(hwnd_, WM_PAINT, OnPaint);
        HANDLE_MSG(hwnd_, WM_COMMAND, OnCommand);
        HANDLE_MSG(hwnd_, WM_DESTROY, OnDestroy);
        case WM_DPICHANGED:
            OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_GETDPISCALEDSIZE:
            return OnGetDpiScaledSize(static_cast<UINT>(wParam), *reinterpret_cast<SIZE*>(lParam));
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

// Every failure here is kept for create() to report once the half-made window is gone.
BOOL ZARKMain::OnCreate(HWND hwnd, LPCREATESTRUCTW) {
    if (!artwork_.find(instance_)) {
        creationFailure_ = lastFailure({});
        return FALSE;
    }
    dpi_ = dpiOf(hwnd);
    artwork_.showAt(instance_, dpi_);
    // All four start visible; Form_Load hides one of each pair.
    active = createPicture(instance_, hwnd, IDC_ACTIVE, scaled(kBasePair, dpi_), artwork_.active());
    deactive = createPicture(instance_, hwnd, IDC_DEACTIVE, scaled(kBasePair, dpi_), artwork_.deactive());
    fsactive = createPicture(instance_, hwnd, IDC_FSACTIVE, scaled(kExpansionPair, dpi_), artwork_.fsactive());
    fsdeactive = createPicture(instance_, hwnd, IDC_FSDEACTIVE, scaled(kExpansionPair, dpi_), artwork_.fsdeactive());
    if (!active || !deactive || !fsactive || !fsdeactive) {
        creationFailure_ = lastFailure({});
        return FALSE;
    }
    creationFailure_ = Form_Load();
    return !creationFailure_;
}

// The background at its natural size from the top-left corner, neither stretched nor tiled:
// its last column lies outside the client area, and the class brush fills the row below it.
void ZARKMain::OnPaint(HWND hwnd) {
    const ScopedPaint paint(hwnd);
    drawDib(paint.dc(), artwork_.background(), 0, 0);
}

// The window has moved to a monitor of another scale (or the scale has changed): the pictures
// are made anew for it, the frame goes where the system suggests, and the client area and the
// pictures take their sizes and places at the new DPI. A failure is reported, and the window
// stays as it is.
void ZARKMain::OnDpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    artwork_.showAt(instance_, dpi_);
    std::optional<Failure> failure = followDpiChange(hwnd_, suggested, scaledSize(kClientArea, dpi_));
    if (!failure) failure = layOutPictures();
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    if (failure) showErrorReport(hwnd_, *failure);
}

// Asked before a move to a monitor of another scale: the frame that holds the client area at
// the new DPI exactly, so that the system's suggestion needs no correction afterwards.
LRESULT ZARKMain::OnGetDpiScaledSize(UINT dpi, SIZE& frame) {
    return frameSizeAt(hwnd_, scaledSize(kClientArea, dpi), dpi, frame);
}

std::optional<Failure> ZARKMain::layOutPictures() {
    for (auto [picture, pair] : {std::pair{active, kBasePair}, {deactive, kBasePair}, {fsactive, kExpansionPair},
                                 {fsdeactive, kExpansionPair}}) {
        const RECT area = scaled(pair, dpi_);
        if (!SetWindowPos(picture, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                          SWP_NOZORDER | SWP_NOACTIVATE)) {
            return lastFailure({});
        }
    }
    return std::nullopt;
}

// Menu items, their shortcuts and the picture clicks all arrive here.
void ZARKMain::OnCommand(HWND, int id, HWND, UINT) {
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
        case IDC_ACTIVE: active_Click(); break;
        case IDC_DEACTIVE: deactive_Click(); break;
        case IDC_FSACTIVE: fsactive_Click(); break;
        case IDC_FSDEACTIVE: fsdeactive_Click(); break;
    }
}

// A window whose creation failed posts no quit message: it would close the error report that
// follows at once.
void ZARKMain::OnDestroy(HWND) {
    if (!creationFailure_) PostQuitMessage(0);
}

std::optional<Failure> ZARKMain::Form_Load() {
    const StoresRead stores = ReadStores(realFileSystem());
    if (const Failure* failure = std::get_if<Failure>(&stores.base.state)) return *failure;
    basestate = std::get<ModState>(stores.base.state);
    if (const Failure* failure = std::get_if<Failure>(&stores.fs.state)) return *failure;
    fsstate = std::get<ModState>(stores.fs.state);

    // A store that is not set shows as inactive; the store itself keeps its content.
    if (basestate == 0) basestate = kInactive;
    if (fsstate == 0) fsstate = kInactive;

    // All four pictures are still visible: this hides one of each pair, or none for a value
    // that is neither active nor inactive.
    IndicatorPair{active, deactive}.show(basestate);
    IndicatorPair{fsactive, fsdeactive}.show(fsstate);
    return std::nullopt;
}

// Runs a switch command under the folder's switch lock and keeps the fields as the command
// read and wrote them. Another program that is switching in the folder is waited for a
// moment, then the user is told.
SwitchOutcome ZARKMain::runSwitch(SwitchCommand command, ModState& switchedField) {
    SwitchLock lock;
    if (auto failure = LockSwitching(realFileSystem(), lock)) {
        SwitchOutcome busy;
        busy.failure = std::move(failure);
        return busy;
    }
    SwitchOutcome outcome = command(realFileSystem(), lock);
    if (outcome.basestateRead) basestate = *outcome.basestateRead;
    if (outcome.fsstateRead) fsstate = *outcome.fsstateRead;
    if (outcome.switchedTo) switchedField = *outcome.switchedTo;
    return outcome;
}

// A failed switch has already put the files back (but for those it lists as stranded), so
// the launcher reports it and stays open with its pictures as they were.
void ZARKMain::carryOut(const SwitchOutcome& outcome, IndicatorPair pair) {
    if (outcome.failure) {
        if (outcome.failure->cause == Cause::Busy) {
            showMessage(hwnd_, widen(FailureReport(*outcome.failure)));
        } else {
            showErrorReport(hwnd_, *outcome.failure, outcome.stranded);
        }
        return;
    }
    if (outcome.message != nullptr) showMessage(hwnd_, widen(outcome.message));
    if (outcome.switchedTo) pair.show(*outcome.switchedTo);
}

void ZARKMain::activatezark_Click() { carryOut(runSwitch(ActivateZark, basestate), {active, deactive}); }

void ZARKMain::deactivatezark_Click() { carryOut(runSwitch(DeactivateZark, basestate), {active, deactive}); }

void ZARKMain::activatezarkfs_Click() { carryOut(runSwitch(ActivateZarkFs, fsstate), {fsactive, fsdeactive}); }

void ZARKMain::deactivatezarkfs_Click() {
    carryOut(runSwitch(DeactivateZarkFs, fsstate), {fsactive, fsdeactive});
}

void ZARKMain::active_Click() { deactivatezark_Click(); }

void ZARKMain::deactive_Click() { activatezark_Click(); }

void ZARKMain::fsactive_Click() { deactivatezarkfs_Click(); }

void ZARKMain::fsdeactive_Click() { activatezarkfs_Click(); }

// Ends the program on the spot: no window is closed first and nothing is written.
void ZARKMain::exitlauncher_Click() { ExitProcess(0); }

}  // namespace zark
