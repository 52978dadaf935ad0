#include "win/windowicons.h"

#include "resources/resource.h"
#include "win/dpi.h"

namespace zark {

namespace {

// The image of the icon file nearest to `size`, scaled only where the file has no image of
// that size.
HICON loadedAt(HINSTANCE instance, int size, UINT flags) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_ZARK), IMAGE_ICON, size, size, flags));
}

}  // namespace

bool loadClassIcons(HINSTANCE instance, WNDCLASSEXW& windowClass) {
    windowClass.hIcon = loadedAt(instance, GetSystemMetrics(SM_CXICON), LR_SHARED);
    windowClass.hIconSm = loadedAt(instance, GetSystemMetrics(SM_CXSMICON), LR_SHARED);
    return windowClass.hIcon != nullptr && windowClass.hIconSm != nullptr;
}

std::optional<Failure> WindowIcons::show(HWND window, HINSTANCE instance, UINT dpi) {
    const int smallSize = metricAt(SM_CXSMICON, dpi);
    const int largeSize = metricAt(SM_CXICON, dpi);
    ScopedIcon small;
    ScopedIcon large;
    // Setting no icon of its own gives the window back its class's.
    if (smallSize != GetSystemMetrics(SM_CXSMICON) || largeSize != GetSystemMetrics(SM_CXICON)) {
        small = ScopedIcon(loadedAt(instance, smallSize, LR_DEFAULTCOLOR));
        large = ScopedIcon(loadedAt(instance, largeSize, LR_DEFAULTCOLOR));
        if (!small || !large) return lastFailure({});
    }
    if (small_ || small) SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    if (large_ || large) SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large.get()));
    small_ = std::move(small);
    large_ = std::move(large);
    return std::nullopt;
}

}  // namespace zark
