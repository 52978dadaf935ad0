#include "support/input.h"

#include "support/wait.h"

#include <vector>

namespace windowtest {
namespace {

INPUT key(WORD virtualKey, DWORD flags)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = flags;
    return input;
}

INPUT mouse(DWORD flags, POINT screen = {})
{
    // Absolute positions are in 1/65536 of the screen; rounding up lands inside the pixel.
    const LONG width = GetSystemMetrics(SM_CXSCREEN);
    const LONG height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = (screen.x * 65536 + width - 1) / width;
    input.mi.dy = (screen.y * 65536 + height - 1) / height;
    input.mi.dwFlags = flags;
    return input;
}

void send(std::vector<INPUT> inputs)
{
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace

bool bringToFront(HWND window)
{
    SetForegroundWindow(window);
    return eventually([&] { return GetForegroundWindow() == window; });
}

void pressKeys(const std::vector<WORD>& keys)
{
    std::vector<INPUT> inputs;
    for (WORD k : keys) inputs.push_back(key(k, 0));
    for (auto k = keys.rbegin(); k != keys.rend(); ++k) inputs.push_back(key(*k, KEYEVENTF_KEYUP));
    send(inputs);
}

namespace {

bool moveMouse(POINT screen)
{
    send({mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, screen)});
    return eventually([&] {
        POINT cursor;
        return GetCursorPos(&cursor) && cursor.x == screen.x && cursor.y == screen.y;
    });
}

}  // namespace

bool clickAt(POINT screen)
{
    if (!moveMouse(screen)) return false;
    // Each button event carries the position too: Wine may still move the cursor back to
    // where X last reported it.
    const DWORD at = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    send({mouse(at | MOUSEEVENTF_LEFTDOWN, screen), mouse(at | MOUSEEVENTF_LEFTUP, screen)});
    return true;
}

bool parkMouse()
{
    return moveMouse({GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1});
}

POINT centreOf(const RECT& area) { return {(area.left + area.right) / 2, (area.top + area.bottom) / 2}; }

bool inputHandled(HWND window)
{
    if (!RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE)) return false;
    return eventually([&] { return IsWindow(window) && !GetUpdateRect(window, nullptr, FALSE); });
}

}  // namespace windowtest
