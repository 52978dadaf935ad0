// The yardstick for the launcher's start-up time and memory: an empty window of the same
// size and style, built by the same toolchain with the same flags, that does nothing else.
// Built twice: as it is, and with the input method off as the launcher has it
// (INPUT_METHOD_OFF), so that what turning it off gives shows apart from the launcher's own work.
#include <windows.h>

#ifdef INPUT_METHOD_OFF
#include <imm.h>
#endif

namespace {

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
#ifdef INPUT_METHOD_OFF
    ImmDisableIME(static_cast<DWORD>(-1));
#endif
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"BareWindow";
    if (RegisterClassExW(&windowClass) == 0) return 1;
    const HWND window = CreateWindowExW(0, L"BareWindow", L"Bare window", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 253,
                                        154, 462, 362, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
