#pragma once

#include <windows.h>

namespace zark {

// A bitmap of the program's resources, drawn straight from the program file's own copy of
// its pixels: no second copy is made in memory, and there is nothing to free.
struct ResourceBitmap {
    const BITMAPINFO* info = nullptr;
    const void* bits = nullptr;
};

// Finds bitmap resource `id`. False with the thread's last error set if it is missing.
bool findResourceBitmap(HINSTANCE instance, int id, ResourceBitmap& bitmap);

// Draws the bitmap at its natural size with its top-left corner at x, y: neither stretched
// nor tiled, and cut off where the device context's clipping ends.
void drawResourceBitmap(HDC dc, const ResourceBitmap& bitmap, int x, int y);

}  // namespace zark
