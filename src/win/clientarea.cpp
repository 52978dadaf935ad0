#include "clientarea.h"

#include "failure.h"

namespace zark {

std::optional<Failure> placeClientArea(HWND window, const RECT& client) {
    RECT now;
    RECT frame;
    POINT origin{0, 0};
    if (!GetClientRect(window, &now) || !GetWindowRect(window, &frame) || !ClientToScreen(window, &origin)) {
        return lastFailure({});
    }
    const int dx = client.left - origin.x;
    const int dy = client.top - origin.y;
    const int dw = (client.right - client.left) - now.right;
    const int dh = (client.bottom - client.top) - now.bottom;
    if (dx == 0 && dy == 0 && dw == 0 && dh == 0) return std::nullopt;
    if (!SetWindowPos(window, nullptr, frame.left + dx, frame.top + dy, frame.right - frame.left + dw,
                      frame.bottom - frame.top + dh, SWP_NOZORDER | SWP_NOACTIVATE)) {
        return lastFailure({});
    }
    return std::nullopt;
}

std::optional<Failure> followDpiChange(HWND window, const RECT& suggested, SIZE client) {
    POINT origin{0, 0};
    if (!SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                      suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE) ||
        !ClientToScreen(window, &origin)) {
        return lastFailure({});
    }
    return placeClientArea(window, {origin.x, origin.y, origin.x + client.cx, origin.y + client.cy});
}

}  // namespace zark
