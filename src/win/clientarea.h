#pragma once

#include "switching/failure.h"

#include <windows.h>

#include <optional>

namespace zark {

// Moves and sizes the top-level `window` so that its client area is `client` on the screen.
// The frame around it (title bar, menu bar, borders) is measured on the window itself, since
// only the existing window knows it exactly.
std::optional<Failure> placeClientArea(HWND window, const RECT& client);

// Where a window opens: its client area at `client`, unless part of the window would then lie
// outside the work area of its monitor (a high DPI on a small screen); then the window moves
// just enough to lie inside it, and one larger than the work area keeps its top-left corner
// inside, as Windows keeps its own dialogs within reach.
std::optional<Failure> openAt(HWND window, const RECT& client);

// For WM_DPICHANGED: puts the frame where the system suggests, then gives the client area,
// from the top-left corner that it has there, the size `client` exactly.
std::optional<Failure> followDpiChange(HWND window, const RECT& suggested, SIZE client);

}  // namespace zark
