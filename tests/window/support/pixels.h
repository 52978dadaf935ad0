// Pixels compared exactly: what the screen shows against what a bitmap holds.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace windowtest {

// Colours as 0x00RRGGBB, row by row from the top.
using Pixels = std::vector<std::uint32_t>;

// The screen's pixels in `area` (screen coordinates).
Pixels onScreen(const RECT& area);

// A device-independent bitmap drawn at its natural size from the top-left corner of an area of
// `size`, cut off where the area ends, as a window shows it.
Pixels ofBitmap(const BITMAPINFO* bitmap, SIZE size);

}  // namespace windowtest
