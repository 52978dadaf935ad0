// The About box `About`: the launcher's credits, in a window that keeps the main window
// disabled while it is open, so that it behaves as a modal dialog although it is shown modeless.
#include "about/about.h"

#include <windowsx.h>

#include <iterator>
#include <memory>
#include <optional>
#include <string>

#include "about/credits.h"
#include "filesystem.h"
#include "resources/resource.h"
#include "win/errorreport.h"
#include "win/scoped.h"

namespace zark {
namespace {

// Pixels at 96 dpi. The client area opens at the same place on the screen wherever the main
// window is.
constexpr RECT clientArea{327, 261, 327 + 339, 261 + 190};
constexpr DWORD boxStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD boxExStyle = WS_EX_DLGMODALFRAME;

// Tahoma 8.25 pt at the layout's 96 dpi: -MulDiv(825, 96, 7200).
constexpr int fontHeight = -11;

// A label: word-wrapped, clipped to its rectangle. SS_NOTIFY makes it answer the mouse itself
// (a plain static is transparent to clicks), so that a click on a text does not reach the
// box's background.
constexpr DWORD labelStyle = SS_NOTIFY;

struct ControlLayout {
    int id;
    const wchar_t* windowClass;
    DWORD style;
    RECT bounds;  // left, top, right, bottom
    const wchar_t* text;
    // A one-line label: widened if the font draws its text wider than the label.
    bool oneLine = false;
};

class About {
public:
    explicit About(HWND mainWindow) : mainWindow_(mainWindow) {}
    About(const About&) = delete;
    About& operator=(const About&) = delete;

    static std::optional<Failure> load(HINSTANCE instance, HWND mainWindow);
    void show();
    bool preTranslate(MSG& msg);
    HWND window() const { return window_; }

private:
    static std::optional<Failure> registerClass(HINSTANCE instance);
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    std::optional<Failure> create(HINSTANCE instance);
    std::optional<Failure> createControls(HINSTANCE instance);
    std::optional<Failure> fitOneLine(HWND label, const RECT& bounds, bool centred);

    void OnSetFocus(HWND window, HWND previous);
    void OnCommand(HWND window, int id, HWND control, UINT code);
    HBRUSH OnCtlColorStatic(HWND window, HDC dc, HWND control, int type);
    void OnLButtonDown(HWND window, BOOL doubleClick, int x, int y, UINT keys);
    void OnLButtonUp(HWND window, int x, int y, UINT keys);
    void OnClose(HWND window);

    void Form_Load();
    void Form_KeyPress();
    void form_click();
    void cmdOK_Click();
    void Form_Unload();
    void unload();

    HWND mainWindow_;
    HWND window_ = nullptr;
    ScopedFont font_;
    HWND cmdOK_ = nullptr;
};

// The box that is loaded, if any; it lives until its window is destroyed.
std::unique_ptr<About> openBox;

// Builds the box and runs Form_Load; nothing is shown yet. A box that cannot be built
// completely is taken down again, before the main window has been disabled.
std::optional<Failure> About::load(HINSTANCE instance, HWND mainWindow) {
    if (auto failure = registerClass(instance)) return failure;
    openBox = std::make_unique<About>(mainWindow);
    if (auto failure = openBox->create(instance)) {
        // Destroying the window also lets go of the box; the failure reported is the first one.
        if (openBox && openBox->window_ != nullptr) DestroyWindow(openBox->window_);
        openBox.reset();
        return failure;
    }
    openBox->Form_Load();
    return std::nullopt;
}

std::optional<Failure> About::registerClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    // LR_SHARED: the system keeps the icons for the program's lifetime, whatever the windows do.
    windowClass.hIcon = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDI_ZARK), IMAGE_ICON, 32, 32, LR_SHARED));
    if (windowClass.hIcon == nullptr) return lastFailure({});
    windowClass.hIconSm = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDI_ZARK), IMAGE_ICON, 16, 16, LR_SHARED));
    if (windowClass.hIconSm == nullptr) return lastFailure({});
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = ZARK_ABOUT_CLASS;
    if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return lastFailure({});
    }
    return std::nullopt;
}

std::optional<Failure> About::create(HINSTANCE instance) {
    font_ = ScopedFont(CreateFontW(fontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                   OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                   DEFAULT_PITCH | FF_DONTCARE, L"Tahoma"));
    if (!font_) return lastFailure({});

    RECT frame = clientArea;
    if (!AdjustWindowRectEx(&frame, boxStyle, FALSE, boxExStyle)) return lastFailure({});
    // No owner: the box stands on its own and has its own taskbar entry, by which the user
    // finds it again when other windows cover it, since the disabled main window cannot
    // bring it forward.
    if (CreateWindowExW(boxExStyle, ZARK_ABOUT_CLASS, L"Tiberian Sun Zarkonid Launcher", boxStyle,
                        frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                        nullptr, nullptr, instance, nullptr) == nullptr) {
        return lastFailure({});
    }
    return createControls(instance);
}

// Created in tab order; the labels take no focus, so the button always has it.
std::optional<Failure> About::createControls(HINSTANCE instance) {
    const std::wstring creditsText = credits();
    const ControlLayout controls[] = {
        {IDC_CMDOK, L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, {136, 157, 136 + 65, 157 + 23},
         L"&OK"},
        {IDC_LBLLABELS, L"STATIC", labelStyle | SS_CENTER, {88, 8, 88 + 169, 8 + 18},
         L"Tiberian Sun Zarkonid Launcher", true},
        {IDC_LABEL1, L"STATIC", labelStyle | SS_LEFT, {128, 32, 128 + 93, 32 + 17},
         L"Version 1.2 Credits", true},
        {IDC_LABEL2, L"STATIC", labelStyle | SS_LEFT, {40, 50, 40 + 249, 50 + 67},
         creditsText.c_str()},
        {IDC_LABEL3, L"STATIC", labelStyle | SS_LEFT, {41, 120, 41 + 253, 120 + 27},
         L"Email adresses can be found in the Readmefile and in the help file."},
    };
    for (const ControlLayout& control : controls) {
        const RECT& r = control.bounds;
        HWND created = CreateWindowExW(
            0, control.windowClass, control.text, WS_CHILD | WS_VISIBLE | control.style, r.left,
            r.top, r.right - r.left, r.bottom - r.top, window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
        if (created == nullptr) return lastFailure({});
        SetWindowFont(created, font_.get(), FALSE);
        if (control.id == IDC_CMDOK) cmdOK_ = created;
        if (control.oneLine) {
            if (auto failure = fitOneLine(created, r, (control.style & SS_CENTER) != 0)) return failure;
        }
    }
    return std::nullopt;
}

// Fonts of the same name differ between systems (Wine's Tahoma runs wider than Windows'): a
// one-line text that no longer fits would wrap, and its second line would be clipped away.
// Such a label grows just enough, to the right, or on both sides when its text is centred.
std::optional<Failure> About::fitOneLine(HWND label, const RECT& bounds, bool centred) {
    const ScopedWindowDC dc(label);
    if (!dc) return lastFailure({});
    const ScopedSelect select(dc.get(), font_.get());
    wchar_t text[64];
    const int length = GetWindowTextW(label, text, static_cast<int>(std::size(text)));
    SIZE extent;
    if (!GetTextExtentPoint32W(dc.get(), text, length, &extent)) return lastFailure({});
    const int width = bounds.right - bounds.left;
    if (extent.cx <= width) return std::nullopt;
    const int grow = extent.cx - width;
    const int left = centred ? bounds.left - (grow + 1) / 2 : bounds.left;
    if (!SetWindowPos(label, nullptr, left, bounds.top, extent.cx, bounds.bottom - bounds.top,
                      SWP_NOZORDER | SWP_NOACTIVATE)) {
        return lastFailure({});
    }
    return std::nullopt;
}

void About::show() {
    ShowWindow(window_, SW_SHOWNORMAL);
}

LRESULT CALLBACK About::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE && openBox) openBox->window_ = window;
    if (!openBox || openBox->window_ != window) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        openBox.reset();
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return openBox->handleMessage(window, message, wParam, lParam);
}

LRESULT About::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(window, WM_SETFOCUS, OnSetFocus);
        HANDLE_MSG(window, WM_COMMAND, OnCommand);
        HANDLE_MSG(window, WM_CTLCOLORSTATIC, OnCtlColorStatic);
        HANDLE_MSG(window, WM_LBUTTONDOWN, OnLButtonDown);
        HANDLE_MSG(window, WM_LBUTTONUP, OnLButtonUp);
        HANDLE_MSG(window, WM_CLOSE, OnClose);
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

// The box itself never keeps the focus: it passes it on to the button.
void About::OnSetFocus(HWND, HWND) {
    if (cmdOK_ != nullptr) SetFocus(cmdOK_);
}

// IsDialogMessageW turns Enter and Escape into IDOK and IDCANCEL; the button answers both.
void About::OnCommand(HWND, int id, HWND, UINT code) {
    if ((id == IDC_CMDOK || id == IDOK || id == IDCANCEL) && code == BN_CLICKED) cmdOK_Click();
}

HBRUSH About::OnCtlColorStatic(HWND, HDC dc, HWND, int) {
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return GetSysColorBrush(COLOR_BTNFACE);
}

// A click on the background is a press and a release on it, as on a button: the box holds
// the mouse in between, so that the release cannot fall through to the main window.
void About::OnLButtonDown(HWND window, BOOL, int, int, UINT) {
    SetCapture(window);
}

void About::OnLButtonUp(HWND window, int x, int y, UINT) {
    if (GetCapture() != window) return;
    if (!ReleaseCapture()) return;
    RECT client;
    if (GetClientRect(window, &client) && PtInRect(&client, POINT{x, y})) form_click();
}

void About::OnClose(HWND) {
    unload();
}

void About::Form_Load() {
    EnableWindow(mainWindow_, FALSE);
}

void About::Form_KeyPress() {
    unload();
}

void About::form_click() {
    unload();
}

void About::cmdOK_Click() {
    unload();
}

void About::Form_Unload() {
    EnableWindow(mainWindow_, TRUE);
}

// The main window is enabled before the box goes, so that the system hands the activation
// back to it rather than to some other program's window. The box is gone once DestroyWindow
// has returned.
void About::unload() {
    Form_Unload();
    const HWND mainWindow = mainWindow_;
    if (!DestroyWindow(window_)) showErrorReport(mainWindow, lastFailure({}));
}

bool About::preTranslate(MSG& msg) {
    if (msg.hwnd != window_ && !IsChild(window_, msg.hwnd)) return false;
    // Key preview: every typed character is the box's before the focused button sees it.
    if (msg.message == WM_CHAR) {
        Form_KeyPress();
        return true;
    }
    return IsDialogMessageW(window_, &msg) != FALSE;
}

}  // namespace

void viewAbout(HINSTANCE instance, HWND mainWindow) {
    if (!openBox) {
        if (auto failure = About::load(instance, mainWindow)) {
            showErrorReport(mainWindow, *failure);
            return;
        }
    }
    openBox->show();
}

bool aboutPreTranslate(MSG& msg) {
    return openBox && openBox->preTranslate(msg);
}

HWND aboutWindow() {
    return openBox ? openBox->window() : nullptr;
}

}  // namespace zark
