#pragma once

#include <windows.h>

#include <vector>

namespace zark {

// Pixels that SetDIBitsToDevice draws: a device-independent bitmap's header (with its colour
// table, if any) and its rows. It owns neither.
struct DibView {
    const BITMAPINFO* info = nullptr;
    const void* bits = nullptr;

    int width() const { return info->bmiHeader.biWidth; }
    int height() const;
};

// Draws the bitmap at its natural size with its top-left corner at x, y: neither stretched
// nor tiled, and cut off where the device context's clipping ends.
void drawDib(HDC dc, const DibView& dib, int x, int y);

// A bitmap of its own: 24 bits per pixel (blue, green, red), rows from the top, each filled up to
// whole 4 bytes as a bitmap's rows are.
class Dib24 {
public:
    Dib24(int width, int height);

    int width() const { return info_.bmiHeader.biWidth; }
    int height() const { return -info_.bmiHeader.biHeight; }
    BYTE* row(int y) { return pixels_.data() + static_cast<size_t>(y) * stride_; }
    DibView view() const { return {&info_, pixels_.data()}; }

private:
    BITMAPINFO info_{};
    size_t stride_;
    std::vector<BYTE> pixels_;
};

}  // namespace zark
