#include "mainwindow/shortcuts.h"

namespace zark {

const Shortcuts* Shortcuts::installed_ = nullptr;

Shortcuts::Shortcuts(HWND mainWindow, HACCEL table) : mainWindow_(mainWindow), table_(table) {}

Shortcuts::~Shortcuts() {
    if (hook_ == nullptr) return;
    UnhookWindowsHookEx(hook_);
    installed_ = nullptr;
}

bool Shortcuts::install() {
    const int count = CopyAcceleratorTableW(table_, nullptr, 0);
    entries_.resize(static_cast<std::size_t>(count));
    if (count == 0 || CopyAcceleratorTableW(table_, entries_.data(), count) != count) return false;
    hook_ = SetWindowsHookExW(WH_MSGFILTER, menuFilter, nullptr, GetCurrentThreadId());
    if (hook_ == nullptr) return false;
    installed_ = this;
    return true;
}

bool Shortcuts::translate(MSG& msg) const {
    return IsWindowEnabled(mainWindow_) && TranslateAcceleratorW(mainWindow_, table_, &msg) != 0;
}

std::optional<WORD> Shortcuts::commandFor(const MSG& msg) const {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return std::nullopt;
    BYTE modifiers = 0;
    if (GetKeyState(VK_CONTROL) < 0) modifiers |= FCONTROL;
    if (GetKeyState(VK_SHIFT) < 0) modifiers |= FSHIFT;
    if (GetKeyState(VK_MENU) < 0) modifiers |= FALT;
    for (const ACCEL& entry : entries_) {
        if ((entry.fVirt & FVIRTKEY) && entry.key == msg.wParam &&
            (entry.fVirt & (FCONTROL | FSHIFT | FALT)) == modifiers) {
            return entry.cmd;
        }
    }
    return std::nullopt;
}

// A shortcut pressed in an open menu closes the menu and runs its command once the menu's
// loop has ended, as a chosen menu item does. F1 closes the menu too and goes on to the
// message loop, which opens the help file as it does for F1 in the window. Left to the menu,
// F1 would reach the window as WM_HELP, which Wine sends twice for one key press: once from
// the menu and once from the key's default handling.
LRESULT CALLBACK Shortcuts::menuFilter(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_MENU && installed_ != nullptr && IsWindowEnabled(installed_->mainWindow_)) {
        const MSG& msg = *reinterpret_cast<const MSG*>(lParam);
        if (const auto command = installed_->commandFor(msg)) {
            EndMenu();
            PostMessageW(installed_->mainWindow_, WM_COMMAND, MAKEWPARAM(*command, 1), 0);
            return TRUE;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_F1) {
            EndMenu();
            PostMessageW(installed_->mainWindow_, WM_KEYDOWN, VK_F1, msg.lParam);
            return TRUE;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace zark
