// How a window is tied to the object that handles its messages: the object travels through
// CreateWindowExW's last parameter, is kept in GWLP_USERDATA from WM_NCCREATE on, and is let go
// of at WM_NCDESTROY. T handles its messages in `LRESULT HandleMessage(UINT, WPARAM, LPARAM)`;
// its WM_CREATE handler fails the creation by returning -1 (FALSE through HANDLE_MSG).
#pragma once

#include <windows.h>

namespace zark {

template <typename T>
class BaseWindow {
public:
    BaseWindow(const BaseWindow&) = delete;
    BaseWindow& operator=(const BaseWindow&) = delete;

    // The window, from WM_NCCREATE until WM_NCDESTROY; null before and after.
    HWND window() const { return hwnd_; }

protected:
    BaseWindow() = default;
    // A window that outlives its object falls back to the default procedure.
    ~BaseWindow() {
        if (hwnd_ != nullptr) SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    }

    // The procedure for T's window class.
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        T* self = nullptr;
        if (message == WM_NCCREATE) {
            self = static_cast<T*>(reinterpret_cast<LPCREATESTRUCTW>(lParam)->lpCreateParams);
            self->hwnd_ = hwnd;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        } else {
            self = reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        }
        if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
        const LRESULT result = self->HandleMessage(message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
        }
        return result;
    }

    // A top-level window whose frame is `frame` on the screen, handled by this object. False
    // with the thread's last error set if it could not be created; then no window remains.
    bool createWindow(DWORD exStyle, const wchar_t* className, const wchar_t* caption, DWORD style,
                      const RECT& frame, HINSTANCE instance) {
        if (CreateWindowExW(exStyle, className, caption, style, frame.left, frame.top, frame.right - frame.left,
                            frame.bottom - frame.top, nullptr, nullptr, instance, static_cast<T*>(this))) {
            return true;
        }
        // A creation that WM_CREATE failed has destroyed the window again.
        hwnd_ = nullptr;
        return false;
    }

    HWND hwnd_ = nullptr;
};

}  // namespace zark
