#include "pictures/dib.h"

#include <algorithm>
#include <cstdlib>

namespace zark {

namespace {

// Rows drawn in one call when the pixels are not the screen's 32 bits: the system converts
// what one call hands it into a copy of the screen's format, and a band keeps that copy small.
constexpr int kBandRows = 32;

}  // namespace

int DibView::height() const { return std::abs(info->bmiHeader.biHeight); }

void drawDib(HDC dc, const DibView& dib, int x, int y) {
    const BITMAPINFOHEADER& header = dib.info->bmiHeader;
    const int width = dib.width();
    const int height = dib.height();
    if (header.biBitCount == 32 || header.biCompression != BI_RGB || header.biClrUsed != 0) {
        SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                          static_cast<UINT>(height), dib.bits, dib.info, DIB_RGB_COLORS);
        return;
    }
    // A band is a bitmap of its own: the same header with the band's height, rows from the
    // bottom, starting at the band's lowest row. Bands outside the clipping are not drawn.
    RECT clip;
    if (GetClipBox(dc, &clip) == ERROR) clip = {x, y, x + width, y + height};
    const size_t stride = (static_cast<size_t>(width) * header.biBitCount + 31) / 32 * 4;
    const bool bottomUp = header.biHeight > 0;
    BITMAPINFO band{};
    band.bmiHeader = header;
    band.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    band.bmiHeader.biSizeImage = 0;
    const int first = std::max(0, static_cast<int>(clip.top) - y);
    const int last = std::min(height, static_cast<int>(clip.bottom) - y);
    for (int top = first; top < last; top += kBandRows) {
        const int rows = std::min(kBandRows, height - top);
        const int firstStored = bottomUp ? height - top - rows : top;
        band.bmiHeader.biHeight = bottomUp ? rows : -rows;
        const void* bits = static_cast<const BYTE*>(dib.bits) + stride * static_cast<size_t>(firstStored);
        SetDIBitsToDevice(dc, x, y + top, static_cast<DWORD>(width), static_cast<DWORD>(rows), 0, 0, 0,
                          static_cast<UINT>(rows), bits, &band, DIB_RGB_COLORS);
    }
}

Dib24::Dib24(int width, int height)
    : stride_((static_cast<size_t>(width) * 3 + 3) / 4 * 4), pixels_(stride_ * static_cast<size_t>(height)) {
    BITMAPINFOHEADER& header = info_.bmiHeader;
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = -height;  // rows from the top
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
}

}  // namespace zark
