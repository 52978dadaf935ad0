// The window layout is given in pixels at 96 dpi; a window shows it at its own DPI, which
// can change when the window moves to another monitor. The functions that tell a window's DPI
// are newer than the oldest Windows that the program runs on: they are looked up at run time,
// and where they are missing the system's DPI stands in.
#pragma once

#include <windows.h>

namespace zark {

// The DPI at which the layout is given.
inline constexpr UINT kLayoutDpi = USER_DEFAULT_SCREEN_DPI;

// A size or position of the layout at `dpi`: times dpi/96, rounded as MulDiv rounds. Every
// size of the layout is scaled here and nowhere else.
int scaled(int pixels, UINT dpi);

// A rectangle of the layout at `dpi`: its left, top, width and height, each scaled.
RECT scaled(const RECT& laidOut, UINT dpi);

// The width and height of a rectangle of the layout at `dpi`.
SIZE scaledSize(const RECT& laidOut, UINT dpi);

// The window's DPI: the one of its monitor where Windows tells it (Windows 10 1607 on), the
// system's before.
UINT dpiOf(HWND window);

// A system metric (SM_CXICON ...) as it is at `dpi`; where Windows cannot tell, the system's
// metric scaled from the system's DPI.
int metricAt(int index, UINT dpi);

// For WM_GETDPISCALEDSIZE: the size of the window's frame around a client area of `client`
// pixels once the window is at `dpi`. False where Windows cannot tell, and then the system's
// own guess stands.
bool frameSizeAt(HWND window, SIZE client, UINT dpi, SIZE& frame);

}  // namespace zark
