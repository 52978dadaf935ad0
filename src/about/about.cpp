// The About box: its window, its controls and its event procedures.
#include "about/about.h"

#include <windowsx.h>

#include <iterator>
#include <optional>
#include <string>

#include "about/credits.h"
#include "resources/resource.h"
#include "resources/version.h"
#include "switching/failure.h"
#include "win/dpi.h"
#include "win/errorreport.h"
#include "win/scoped.h"
#include "win/themedcontrols.h"

namespace zark {
namespace {

// Tahoma 8.25 pt is 11 pixels high at 96 dpi: MulDiv(825, 96, 7200).
constexpr int fontPixels = 11;

// A label: word-wrapped, clipped to its rectangle. SS_NOTIFY makes it answer the mouse itself
// (a plain static is transparent to clicks), so that a click on a text does not reach the
// box's background.
constexpr DWORD labelStyle = SS_NOTIFY;

struct ControlLayout {
    int id;
    const wchar_t* windowClass;
    DWORD style;
    RECT bounds;          // left, top, right, bottom
    const wchar_t* text;  // null for the credits, which are made at run time
    // A one-line label: widened if the font draws its text wider than the label.
    bool oneLine = false;
};

// In tab order; the labels take no focus, so the button always has it.
// One row a line, in columns.
// clang-format off
constexpr ControlLayout controls[] = {
    {IDC_CMDOK, L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, {136, 157, 136 + 65, 157 + 23}, L"&OK"},
    {IDC_LBLLABELS, L"STATIC", labelStyle | SS_CENTER, {88, 8, 88 + 169, 8 + 18}, L"Tiberian Sun Zarkonid Launcher",
     true},
    {IDC_LABEL1, L"STATIC", labelStyle | SS_LEFT, {128, 32, 128 + 93, 32 + 17}, L"Version " ZARK_RELEASE " Credits",
     true},
    {IDC_LABEL2, L"STATIC", labelStyle | SS_LEFT, {40, 50, 40 + 249, 50 + 67}, nullptr},
    {IDC_LABEL3, L"STATIC", labelStyle | SS_LEFT, {41, 120, 41 + 253, 120 + 27},
     L"Email adresses can be found in the Readmefile and in the help file."},
};
// clang-format on

}  // namespace

// The client area opens at the same place on the screen wherever the main window is. No owner:
// the box stands on its own and has its own taskbar entry, by which the user finds it again when
// other windows cover it, since the disabled main window cannot bring it forward.
const WindowDesign About::kDesign{
    ZARK_ABOUT_CLASS,    L"Tiberian Sun Zarkonid Launcher", WS_POPUP | WS_CAPTION | WS_SYSMENU,
    WS_EX_DLGMODALFRAME, {327, 261, 327 + 339, 261 + 190},  0,
    COLOR_BTNFACE};

// The box's button has the look of Windows' own.
std::optional<Failure> About::load(HINSTANCE instance, HWND mainWindow) {
    mainWindow_ = mainWindow;
    const ThemedControls themed;
    if (auto failure = create(instance)) return failure;
    Form_Load();
    return std::nullopt;
}

std::optional<Failure> About::OnCreate(HINSTANCE instance) {
    if (auto failure = createControls(instance)) return failure;
    return layOut();
}

// Created in tab order, without a place yet: layOut gives them their places and their font.
std::optional<Failure> About::createControls(HINSTANCE instance) {
    const std::wstring creditsText = credits();
    for (const ControlLayout& control : controls) {
        const wchar_t* text = control.text != nullptr ? control.text : creditsText.c_str();
        HWND created =
            CreateWindowExW(0, control.windowClass, text, WS_CHILD | WS_VISIBLE | control.style, 0, 0, 0, 0, hwnd_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
        if (created == nullptr) return lastFailure({});
        if (control.id == IDC_CMDOK) cmdOK_ = created;
    }
    return std::nullopt;
}

// The font and every control's place at the box's DPI. The controls take the new font before
// the old one goes.
std::optional<Failure> About::layOut() {
    ScopedFont font(CreateFontW(-scaled(fontPixels, dpi()), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                L"Tahoma"));
    if (!font) return lastFailure({});
    for (const ControlLayout& control : controls) SetWindowFont(GetDlgItem(hwnd_, control.id), font.get(), TRUE);
    font_ = std::move(font);
    for (const ControlLayout& control : controls) {
        HWND child = GetDlgItem(hwnd_, control.id);
        const RECT r = scaled(control.bounds, dpi());
        if (!SetWindowPos(child, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                          SWP_NOZORDER | SWP_NOACTIVATE)) {
            return lastFailure({});
        }
        if (control.oneLine) {
            if (auto failure = fitOneLine(child, r, (control.style & SS_CENTER) != 0)) return failure;
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

void About::show() { ShowWindow(hwnd_, SW_SHOWNORMAL); }

LRESULT About::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(hwnd_, WM_SETFOCUS, OnSetFocus);
        HANDLE_MSG(hwnd_, WM_COMMAND, OnCommand);
        HANDLE_MSG(hwnd_, WM_CTLCOLORSTATIC, OnCtlColorStatic);
        HANDLE_MSG(hwnd_, WM_LBUTTONDOWN, OnLButtonDown);
        HANDLE_MSG(hwnd_, WM_LBUTTONUP, OnLButtonUp);
        HANDLE_MSG(hwnd_, WM_CLOSE, OnClose);
        HANDLE_MSG(hwnd_, WM_NCDESTROY, OnNCDestroy);
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
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
void About::OnLButtonDown(HWND window, BOOL, int, int, UINT) { SetCapture(window); }

void About::OnLButtonUp(HWND window, int x, int y, UINT) {
    if (GetCapture() != window) return;
    if (!ReleaseCapture()) return;
    RECT client;
    if (GetClientRect(window, &client) && PtInRect(&client, POINT{x, y})) form_click();
}

void About::OnClose(HWND) { unload(); }

// The controls are gone by now, so their font can go too.
void About::OnNCDestroy(HWND window) {
    cmdOK_ = nullptr;
    font_ = ScopedFont();
    FORWARD_WM_NCDESTROY(window, DefWindowProcW);
}

void About::Form_Load() { EnableWindow(mainWindow_, FALSE); }

void About::Form_KeyPress() { unload(); }

void About::form_click() { unload(); }

void About::cmdOK_Click() { unload(); }

void About::Form_Unload() { EnableWindow(mainWindow_, TRUE); }

// The main window is enabled before the box goes, so that the system hands the activation
// back to it rather than to some other program's window.
void About::unload() {
    Form_Unload();
    if (!DestroyWindow(hwnd_)) showErrorReport(mainWindow_, lastFailure({}));
}

bool About::preTranslate(MSG& msg) {
    if (hwnd_ == nullptr || (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd))) return false;
    // Key preview: every typed character is the box's before the focused button sees it.
    if (msg.message == WM_CHAR) {
        Form_KeyPress();
        return true;
    }
    return IsDialogMessageW(hwnd_, &msg) != FALSE;
}

}  // namespace zark
