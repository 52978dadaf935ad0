#pragma once

#include "pictures/dib.h"

#include <windows.h>

#include <functional>

namespace zark {

// A picture as its rows come: `width` x `height` pixels of `bytesPerPixel` (3 or 4) bytes, blue,
// green and red first; row(y) gives row y, counted from the top, which holds until the next call.
struct PictureRows {
    int width;
    int height;
    int bytesPerPixel;
    std::function<const BYTE*(int y)> row;
};

// The rows of a bitmap of 24 or 32 bits per pixel, rows from the bottom or from the top.
PictureRows rowsOf(const DibView& dib);

// The picture at another size, each new pixel the average of the area of the picture that it
// covers (pixels it covers in part count by their share). The same arithmetic in whole numbers
// on every system, smooth both ways: when shrinking, every source pixel counts; when growing,
// a new pixel that straddles two source pixels blends them. Each source row is asked for once,
// in order from the top, so that the source need never be held whole.
Dib24 resampled(const PictureRows& source, int width, int height);

}  // namespace zark
