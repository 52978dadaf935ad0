#pragma once

#include "switching/failure.h"
#include "win/scoped.h"

#include <windows.h>

#include <optional>

namespace zark {

// The program's icon at the system's sizes, for a window class: what its windows show on the
// title bar, taskbar button and Alt+Tab entry unless they are given icons of their own. Shared:
// the system keeps them, and nothing frees them. False with the thread's last error set if the
// icon cannot be loaded.
bool loadClassIcons(HINSTANCE instance, WNDCLASSEXW& windowClass);

// The program's icon on one window, each drawn at the size that the window's DPI asks for
// rather than scaled from another. Where those are the system's sizes the class's icons are
// shown, which the system has made ready for the screen already; on a monitor of another scale
// the window shows icons of its own, which this object holds, so it must outlive them on the
// window.
class WindowIcons {
public:
    // Shows the icon at the window's small and large sizes for `dpi`; the window's own icons of
    // before are then let go.
    std::optional<Failure> show(HWND window, HINSTANCE instance, UINT dpi);

private:
    ScopedIcon small_;
    ScopedIcon large_;
};

}  // namespace zark
