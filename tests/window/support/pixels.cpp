#include "support/pixels.h"

#include "support/launcher.h"
#include "switching/winstrings.h"
#include "win/scoped.h"

#include <stb_image.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>

namespace windowtest {
namespace {

// Draws into a 32-bit bitmap of `size`, and returns its pixels.
template <class Draw>
Pixels drawn(SIZE size, Draw draw) {
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

Pixels onScreen(const RECT& area) {
    const zark::ScopedWindowDC screen(nullptr);
    return drawn({area.right - area.left, area.bottom - area.top}, [&](HDC dc) {
        return BitBlt(dc, 0, 0, area.right - area.left, area.bottom - area.top, screen.get(), area.left, area.top,
                      SRCCOPY) != FALSE;
    });
}

Pixels ofBitmap(const BITMAPINFO* bitmap, SIZE size) {
    const BITMAPINFOHEADER& header = bitmap->bmiHeader;
    const DWORD colours = header.biClrUsed != 0 || header.biBitCount > 8 ? header.biClrUsed : 1u << header.biBitCount;
    const void* bits = reinterpret_cast<const BYTE*>(bitmap) + header.biSize + colours * sizeof(RGBQUAD);
    const auto height = static_cast<DWORD>(header.biHeight < 0 ? -header.biHeight : header.biHeight);
    return drawn(size, [&](HDC dc) {
        return SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(header.biWidth), height, 0, 0, 0, height, bits, bitmap,
                                 DIB_RGB_COLORS) != 0;
    });
}

Pixels expectedPixels(const std::string& name, SIZE& size) {
    const std::wstring path = onDriveZ(ZARK_EXPECTED_PIXELS) + L"\\" + zark::widen(name);
    std::ifstream file(path.c_str(), std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    int width = 0;
    int height = 0;
    int channels = 0;
    const std::unique_ptr<stbi_uc, void (*)(void*)> decoded(
        stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height, &channels, 3),
        stbi_image_free);
    if (!decoded) throw std::runtime_error("cannot read the expected pixels " + name);
    size = {width, height};
    Pixels pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (size_t i = 0; i < pixels.size(); ++i) {
        const stbi_uc* rgb = decoded.get() + 3 * i;
        pixels[i] = std::uint32_t{rgb[0]} << 16 | std::uint32_t{rgb[1]} << 8 | rgb[2];
    }
    return pixels;
}

std::string differences(const Pixels& seen, const Pixels& expected, int width, int tolerance) {
    if (seen.size() != expected.size()) return "a picture of another size";
    size_t count = 0;
    size_t first = 0;
    for (size_t i = 0; i < seen.size(); ++i) {
        for (int shift : {0, 8, 16}) {
            const int a = static_cast<int>(seen[i] >> shift & 0xFF);
            const int b = static_cast<int>(expected[i] >> shift & 0xFF);
            if (std::abs(a - b) <= tolerance) continue;
            if (count++ == 0) first = i;
            break;
        }
    }
    if (count == 0) return {};
    const auto column = static_cast<int>(first % static_cast<size_t>(width));
    const auto row = static_cast<int>(first / static_cast<size_t>(width));
    return std::to_string(count) + " pixels differ, the first in column " + std::to_string(column) + ", row " +
           std::to_string(row);
}

}  // namespace windowtest
