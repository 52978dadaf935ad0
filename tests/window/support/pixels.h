// Pixels compared: what the screen shows against what a bitmap holds, exactly, or against a
// picture recorded beforehand, within a tolerance.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace windowtest {

// Colours as 0x00RRGGBB, row by row from the top.
using Pixels = std::vector<std::uint32_t>;

// The screen's pixels in `area` (screen coordinates).
Pixels onScreen(const RECT& area);

// A device-independent bitmap drawn at its natural size from the top-left corner of an area of
// `size`, cut off where the area ends, as a window shows it.
Pixels ofBitmap(const BITMAPINFO* bitmap, SIZE size);

// Pixels recorded for the tests, the PNG file `name` of tests/window/expected, with their size.
// Throws if the file cannot be read.
Pixels expectedPixels(const std::string& name, SIZE& size);

// Where `seen` differs from `expected`, both `width` pixels wide, by more than `tolerance` in a
// channel: empty where nowhere, else how many pixels and the first of them by column and row.
std::string differences(const Pixels& seen, const Pixels& expected, int width, int tolerance);

}  // namespace windowtest
