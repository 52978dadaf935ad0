#pragma once

#include "failure.h"
#include "scoped.h"

#include <windows.h>

#include <optional>

namespace zark {

// The program's icon on a window's title bar, taskbar button and Alt+Tab entry, each drawn at
// the size that the window's DPI asks for rather than scaled up from a smaller one. The window
// shows the icons that this object holds, so it must outlive them on the window.
class WindowIcons {
public:
    // Loads the icon at the window's small and large sizes for `dpi` and gives them to the
    // window; the icons it showed before are then let go.
    std::optional<Failure> show(HWND window, HINSTANCE instance, UINT dpi);

private:
    ScopedIcon small_;
    ScopedIcon large_;
};

}  // namespace zark
