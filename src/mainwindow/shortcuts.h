#pragma once

#include <windows.h>

#include <optional>
#include <vector>

namespace zark {

// The main window's keyboard shortcuts. They work only while the main window is enabled (a
// plain TranslateAccelerator would still fire them for a disabled window, for instance under
// the About box), and also while one of its menus is open, whose own message loop would
// otherwise swallow them. F1 in an open menu is handed on to the message loop the same way.
class Shortcuts {
public:
    Shortcuts(HWND mainWindow, HACCEL table);
    ~Shortcuts();
    Shortcuts(const Shortcuts&) = delete;
    Shortcuts& operator=(const Shortcuts&) = delete;

    // Starts watching the keys of open menus. False with the thread's last error set on
    // failure.
    bool install();

    // For the message loop: true if the message was a shortcut and its command has been run.
    bool translate(MSG& msg) const;

private:
    static LRESULT CALLBACK menuFilter(int code, WPARAM wParam, LPARAM lParam);
    std::optional<WORD> commandFor(const MSG& msg) const;

    HWND mainWindow_;
    HACCEL table_;
    std::vector<ACCEL> entries_;
    HHOOK hook_ = nullptr;
    static const Shortcuts* installed_;
};

}  // namespace zark
