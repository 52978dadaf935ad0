#include "support/input.h"

#include "support/handles.h"
#include "support/wait.h"

#include <vector>

namespace windowtest {
namespace {

INPUT key(WORD virtualKey, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = flags;
    return input;
}

INPUT mouse(DWORD flags, POINT screen = {}) {
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

void send(std::vector<INPUT> inputs) { SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)); }

// Whether the keyboard focus of the window's thread lies in the window. A thread makes a window
// active first and gives it the focus after that; keys sent in between go to the old focus.
bool hasFocus(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) &&
           (info.hwndFocus == window || IsChild(window, info.hwndFocus));
}

// Keeps the thread of the foreground window, which the keys go to, from running while it lives.
// Wine brings its key state in line with the X server's each time that thread handles a focus
// change or the pointer entering one of its windows, and the X server knows nothing of the keys
// sent here: handled between Alt and M, such an event lets Alt go, and M arrives alone. A thread
// held still handles it before or after the whole chord.
class HeldThread {
public:
    HeldThread() {
        const DWORD id = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
        thread_.reset(OpenThread(THREAD_SUSPEND_RESUME | THREAD_GET_CONTEXT, FALSE, id));
        if (!thread_ || SuspendThread(thread_.get()) == static_cast<DWORD>(-1)) {
            thread_.reset();
            return;
        }
        // A thread stops some time after it is told to; its registers can be read once it has.
        CONTEXT registers{};
        registers.ContextFlags = CONTEXT_CONTROL;
        if (!GetThreadContext(thread_.get(), &registers)) {
            ResumeThread(thread_.get());
            thread_.reset();
        }
    }
    ~HeldThread() {
        if (thread_) ResumeThread(thread_.get());
    }
    HeldThread(const HeldThread&) = delete;
    HeldThread& operator=(const HeldThread&) = delete;

private:
    Handle thread_;
};

}  // namespace

// Asked again until it holds: the window's thread may be making another of its windows active
// at the same time, as it does for a box that it has just opened.
bool bringToFront(HWND window) {
    return eventually([&] {
        SetForegroundWindow(window);
        // Wine asks the window's thread by messages to let the old active window go and to make
        // this one active. A message sent after them comes back once they have been handled.
        DWORD_PTR ignored = 0;
        return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(kPatience.count()),
                                   &ignored) != 0 &&
               GetForegroundWindow() == window && hasFocus(window);
    });
}

void pressKeys(const std::vector<WORD>& keys) {
    std::vector<INPUT> inputs;
    for (WORD k : keys) inputs.push_back(key(k, 0));
    for (auto k = keys.rbegin(); k != keys.rend(); ++k) inputs.push_back(key(*k, KEYEVENTF_KEYUP));
    const HeldThread receiver;
    send(inputs);
}

namespace {

bool moveMouse(POINT screen) {
    send({mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, screen)});
    return eventually([&] {
        POINT cursor;
        return GetCursorPos(&cursor) && cursor.x == screen.x && cursor.y == screen.y;
    });
}

}  // namespace

bool clickAt(POINT screen) {
    if (!moveMouse(screen)) return false;
    // Each button event carries the position too: Wine may still move the cursor back to
    // where X last reported it.
    const DWORD at = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    send({mouse(at | MOUSEEVENTF_LEFTDOWN, screen), mouse(at | MOUSEEVENTF_LEFTUP, screen)});
    return true;
}

bool parkMouse() { return moveMouse({GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1}); }

POINT centreOf(const RECT& area) { return {(area.left + area.right) / 2, (area.top + area.bottom) / 2}; }

bool inputHandled(HWND window) {
    if (!RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE)) return false;
    return eventually([&] { return IsWindow(window) && !GetUpdateRect(window, nullptr, FALSE); });
}

}  // namespace windowtest
