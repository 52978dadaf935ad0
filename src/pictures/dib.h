#pragma once

#include <windows.h>

#include <cstdint>
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

// A bitmap of its own: 32 bits per pixel (blue, green, red, unused), rows from the top.
class Dib32 {
public:
    Dib32(int width, int height);

    int width() const { return info_.bmiHeader.biWidth; }
    int height() const { return -info_.bmiHeader.biHeight; }
    std::uint32_t* row(int y) { return pixels_.data() + static_cast<size_t>(y) * width(); }
    void* bits() { return pixels_.data(); }
    UINT bytes() const { return static_cast<UINT>(pixels_.size() * sizeof(std::uint32_t)); }
    DibView view() const { return {&info_, pixels_.data()}; }

private:
    BITMAPINFO info_{};
    std::vector<std::uint32_t> pixels_;
};

}  // namespace zark
