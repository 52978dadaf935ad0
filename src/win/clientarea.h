#pragma once

#include "failure.h"

#include <windows.h>

#include <optional>

namespace zark {

// Moves and sizes the top-level `window` so that its client area is `client` on the screen.
// The frame around it (title bar, menu bar, borders) is measured on the window itself, since
// only the existing window knows it exactly.
std::optional<Failure> placeClientArea(HWND window, const RECT& client);

// For WM_DPICHANGED: puts the frame where the system suggests, then gives the client area,
// from the top-left corner that it has there, the size `client` exactly.
std::optional<Failure> followDpiChange(HWND window, const RECT& suggested, SIZE client);

}  // namespace zark
