#include "win/clientarea.h"

#include "switching/failure.h"

#include <algorithm>

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

namespace {

// How far a span from `low` to `high` must move to lie within `from`..`to`, or to start at `from`
// where it is longer.
int intoRange(int low, int high, int from, int to) {
    if (high > to) return std::max(to - high, from - low);
    if (low < from) return from - low;
    return 0;
}

}  // namespace

std::optional<Failure> openAt(HWND window, const RECT& client) {
    if (auto failure = placeClientArea(window, client)) return failure;
    RECT frame;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetWindowRect(window, &frame) ||
        !GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return lastFailure({});
    }
    const RECT& work = monitor.rcWork;
    const int dx = intoRange(frame.left, frame.right, work.left, work.right);
    const int dy = intoRange(frame.top, frame.bottom, work.top, work.bottom);
    if (dx == 0 && dy == 0) return std::nullopt;
    if (!SetWindowPos(window, nullptr, frame.left + dx, frame.top + dy, 0, 0,
                      SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE)) {
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
