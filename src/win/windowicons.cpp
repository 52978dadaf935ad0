#include "windowicons.h"

#include "dpi.h"
#include "resources/resource.h"

namespace zark {

namespace {

// The image of the icon file nearest to `size`, scaled only where the file has no image of
// that size.
ScopedIcon loadedAt(HINSTANCE instance, int size) {
    return ScopedIcon(
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_ZARK), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

}  // namespace

std::optional<Failure> WindowIcons::show(HWND window, HINSTANCE instance, UINT dpi) {
    ScopedIcon small = loadedAt(instance, metricAt(SM_CXSMICON, dpi));
    ScopedIcon large = loadedAt(instance, metricAt(SM_CXICON, dpi));
    if (!small || !large) return lastFailure({});
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large.get()));
    small_ = std::move(small);
    large_ = std::move(large);
    return std::nullopt;
}

}  // namespace zark
