// The main window itself, its start-up and the procedures that switch the modification.
#include "zarkmain.h"

#include "filesystem.h"
#include "picture.h"
#include "resources/resource.h"
#include "storeguidance.h"
#include "variants.h"
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

// What the pictures' lettering says, after the variant's name, for screen readers.
constexpr wchar_t kActivated[] = L": ACTIVATED";
constexpr wchar_t kDeactivated[] = L": DE-ACTIVATED";

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
    // Each named by its variant and the state it shows, as the picture's lettering says.
    const std::wstring base = widen(kBaseVariant.label);
    const std::wstring expansion = widen(kFsVariant.label);
    const RECT basePair = scaled(kBasePair, dpi_);
    const RECT expansionPair = scaled(kExpansionPair, dpi_);
    active = createPicture(instance_, hwnd, IDC_ACTIVE, basePair, artwork_.active(), base + kActivated);
    deactive = createPicture(instance_, hwnd, IDC_DEACTIVE, basePair, artwork_.deactive(), base + kDeactivated);
    fsactive =
        createPicture(instance_, hwnd, IDC_FSACTIVE, expansionPair, artwork_.fsactive(), expansion + kActivated);
    fsdeactive = createPicture(instance_, hwnd, IDC_FSDEACTIVE, expansionPair, artwork_.fsdeactive(),
                               expansion + kDeactivated);
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
    FileSystem& disk = realFileSystem();
    const StoresRead stores = ReadStores(disk);
    for (const StoreRead* read : {&stores.base, &stores.fs}) {
        if (const Failure* unread = std::get_if<Failure>(&read->state)) {
            Failure failure = *unread;
            ExplainUnreadStore(disk, failure);
            return failure;
        }
    }
    // All four pictures are still visible: this hides one of each pair, or none for a value
    // that is neither active nor inactive. A store that is not set shows as inactive; the store
    // itself keeps its content.
    base_.show(std::get<ModState>(stores.base.state));
    fs_.show(std::get<ModState>(stores.fs.state));
    return std::nullopt;
}

// A store that cannot be read this moment (being replaced, held, gone) leaves its pictures as
// they are, and the window does not wait for it: the next change or command puts them right.
void ZARKMain::storesChanged() {
    const StoresRead stores = GlanceAtStores(realFileSystem());
    if (const ModState* stored = std::get_if<ModState>(&stores.base.state)) base_.show(*stored);
    if (const ModState* stored = std::get_if<ModState>(&stores.fs.state)) fs_.show(*stored);
}

// Runs a switch command under the folder's switch lock. Another program that is switching in
// the folder is waited for a moment, then the user is told.
SwitchOutcome ZARKMain::runSwitch(SwitchCommand command) {
    SwitchLock lock;
    if (auto failure = LockSwitching(realFileSystem(), lock)) {
        SwitchOutcome busy;
        busy.failure = std::move(failure);
        return busy;
    }
    return command(realFileSystem(), lock);
}

// Each store that the command read shows in its pictures, refusals and failures included: a
// store may have been switched by another program since the window last looked. A failed switch
// has put the files back (but for those it lists as stranded), so the launcher reports it and
// stays open.
void ZARKMain::carryOut(const SwitchOutcome& outcome, const IndicatorPair& switched) {
    if (outcome.basestateRead) base_.show(*outcome.basestateRead);
    if (outcome.fsstateRead) fs_.show(*outcome.fsstateRead);
    if (outcome.switchedTo) switched.show(*outcome.switchedTo);
    if (outcome.failure) {
        showErrorReport(hwnd_, *outcome.failure, outcome.stranded);
    } else if (outcome.message != nullptr) {
        showMessage(hwnd_, widen(outcome.message));
    }
}

void ZARKMain::activatezark_Click() { carryOut(runSwitch(ActivateZark), base_); }

void ZARKMain::deactivatezark_Click() { carryOut(runSwitch(DeactivateZark), base_); }

void ZARKMain::activatezarkfs_Click() { carryOut(runSwitch(ActivateZarkFs), fs_); }

void ZARKMain::deactivatezarkfs_Click() { carryOut(runSwitch(DeactivateZarkFs), fs_); }

void ZARKMain::active_Click() { deactivatezark_Click(); }

void ZARKMain::deactive_Click() { activatezark_Click(); }

void ZARKMain::fsactive_Click() { deactivatezarkfs_Click(); }

void ZARKMain::fsdeactive_Click() { activatezarkfs_Click(); }

// Ends the program on the spot: no window is closed first and nothing is written.
void ZARKMain::exitlauncher_Click() { ExitProcess(0); }

}  // namespace zark
