#include "dib.h"

#include <cstdlib>

namespace zark {

int DibView::height() const { return std::abs(info->bmiHeader.biHeight); }

void drawDib(HDC dc, const DibView& dib, int x, int y) {
    const auto height = static_cast<DWORD>(dib.height());
    SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(dib.width()), height, 0, 0, 0, height, dib.bits, dib.info,
                      DIB_RGB_COLORS);
}

Dib32::Dib32(int width, int height) : pixels_(static_cast<size_t>(width) * static_cast<size_t>(height)) {
    BITMAPINFOHEADER& header = info_.bmiHeader;
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = -height;  // rows from the top
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
}

}  // namespace zark
