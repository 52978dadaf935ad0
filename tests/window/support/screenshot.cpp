#include "support/screenshot.h"

#include "support/wait.h"
#include "win/scoped.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

namespace windowtest {
namespace {

BOOL CALLBACK collectChild(HWND child, LPARAM found) {
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
    return TRUE;
}

// A window that has just opened may not have painted itself and its controls yet.
void waitUntilPainted(HWND window) {
    std::vector<HWND> painted{window};
    EnumChildWindows(window, collectChild, reinterpret_cast<LPARAM>(&painted));
    for (HWND each : painted) eventually([&] { return !IsWindow(each) || !GetUpdateRect(each, nullptr, FALSE); });
}

}  // namespace

void saveScreenshot(const std::wstring& name, std::initializer_list<HWND> windows) {
    wchar_t folder[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"ZARK_SCREENSHOTS", folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;

    RECT area{};
    for (HWND window : windows) {
        waitUntilPainted(window);
        RECT rect;
        if (GetWindowRect(window, &rect)) UnionRect(&area, &area, &rect);
    }

    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(((width * 3 + 3) & ~3) * height);

    const zark::ScopedWindowDC screen(nullptr);
    const zark::ScopedMemoryDC memory(screen.get());
    void* bits = nullptr;
    const zark::ScopedBitmap bitmap(
        CreateDIBSection(screen.get(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!screen.get() || !memory.get() || !bitmap.get()) {
        ADD_FAILURE() << "cannot capture the screen";
        return;
    }
    BOOL copied;
    {
        const zark::ScopedSelect select(memory.get(), bitmap.get());
        copied = BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY);
    }
    if (!copied) {
        ADD_FAILURE() << "cannot copy the screen";
        return;
    }

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;
    std::ofstream out(std::filesystem::path(folder) / (name + L".bmp"), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(static_cast<const char*>(bits), header.biSizeImage);
    if (!out) ADD_FAILURE() << "cannot write the screenshot";
}

}  // namespace windowtest
