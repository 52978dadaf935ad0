#pragma once

#include "dib.h"

namespace zark {

// The picture at another size, each new pixel the average of the area of the picture that it
// covers (pixels it covers in part count by their share). The same arithmetic in whole numbers
// on every system, smooth both ways: when shrinking, every source pixel counts; when growing,
// a new pixel that straddles two source pixels blends them. `source` has 24 or 32 bits per
// pixel, rows from the bottom or from the top.
Dib32 resampled(const DibView& source, int width, int height);

}  // namespace zark
