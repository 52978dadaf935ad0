#include "support/pixels.h"

#include "scoped.h"

#include <stdexcept>

namespace windowtest {
namespace {

// Draws into a 32-bit bitmap of `size`, and returns its pixels.
template <class Draw>
Pixels drawn(SIZE size, Draw draw)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const zark::ScopedWindowDC screen(nullptr);
    const zark::ScopedMemoryDC memory(screen.get());
    void* bits = nullptr;
    const zark::ScopedBitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!screen || !memory || !bitmap) throw std::runtime_error("cannot make a bitmap to compare");
    {
        const zark::ScopedSelect select(memory.get(), bitmap.get());
        if (!draw(memory.get())) throw std::runtime_error("cannot draw the pixels to compare");
        GdiFlush();
    }
    const auto* first = static_cast<const std::uint32_t*>(bits);
    Pixels pixels(first, first + static_cast<size_t>(size.cx) * static_cast<size_t>(size.cy));
    for (std::uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
    return pixels;
}

}  // namespace

Pixels onScreen(const RECT& area)
{
    const zark::ScopedWindowDC screen(nullptr);
    return drawn({area.right - area.left, area.bottom - area.top}, [&](HDC dc) {
        return BitBlt(dc, 0, 0, area.right - area.left, area.bottom - area.top, screen.get(), area.left, area.top,
                      SRCCOPY) != FALSE;
    });
}

Pixels ofBitmap(const BITMAPINFO* bitmap, SIZE size)
{
    const BITMAPINFOHEADER& header = bitmap->bmiHeader;
    const DWORD colours = header.biClrUsed != 0 || header.biBitCount > 8 ? header.biClrUsed : 1u << header.biBitCount;
    const void* bits = reinterpret_cast<const BYTE*>(bitmap) + header.biSize + colours * sizeof(RGBQUAD);
    const auto height = static_cast<DWORD>(header.biHeight < 0 ? -header.biHeight : header.biHeight);
    return drawn(size, [&](HDC dc) {
        return SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(header.biWidth), height, 0, 0, 0, height, bits, bitmap,
                                 DIB_RGB_COLORS) != 0;
    });
}

}  // namespace windowtest
