#include "win/dpi.h"

#include "win/dlllookup.h"
#include "win/scoped.h"

namespace zark {

namespace {

UINT systemDpi() {
    const ScopedWindowDC screen(nullptr);
    if (!screen) return kLayoutDpi;
    const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSX);
    return dpi > 0 ? static_cast<UINT>(dpi) : kLayoutDpi;
}

}  // namespace

int scaled(int pixels, UINT dpi) { return MulDiv(pixels, static_cast<int>(dpi), kLayoutDpi); }

SIZE scaledSize(const RECT& laidOut, UINT dpi) {
    return {scaled(laidOut.right - laidOut.left, dpi), scaled(laidOut.bottom - laidOut.top, dpi)};
}

RECT scaled(const RECT& laidOut, UINT dpi) {
    const int left = scaled(laidOut.left, dpi);
    const int top = scaled(laidOut.top, dpi);
    const SIZE size = scaledSize(laidOut, dpi);
    return {left, top, left + size.cx, top + size.cy};
}

UINT dpiOf(HWND window) {
    // user32 is loaded already, since the program imports it; an older Windows lacks the call.
    static const auto getDpiForWindow = systemFunction<decltype(&GetDpiForWindow)>(L"user32.dll", "GetDpiForWindow");
    if (getDpiForWindow != nullptr) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi != 0) return dpi;
    }
    return systemDpi();
}

int metricAt(int index, UINT dpi) {
    static const auto metricForDpi =
        systemFunction<decltype(&GetSystemMetricsForDpi)>(L"user32.dll", "GetSystemMetricsForDpi");
    if (metricForDpi != nullptr) return metricForDpi(index, dpi);
    return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(systemDpi()));
}

bool frameSizeAt(HWND window, SIZE client, UINT dpi, SIZE& frame) {
    static const auto adjustForDpi =
        systemFunction<decltype(&AdjustWindowRectExForDpi)>(L"user32.dll", "AdjustWindowRectExForDpi");
    if (adjustForDpi == nullptr) return false;
    RECT rect{0, 0, client.cx, client.cy};
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    if (!adjustForDpi(&rect, style, GetMenu(window) != nullptr, exStyle, dpi)) return false;
    frame = {rect.right - rect.left, rect.bottom - rect.top};
    return true;
}

}  // namespace zark
