// How a window of the program is tied to the object that handles its messages, and the chores
// that every window shares, done here once: its class, its creation at its monitor's DPI inside
// the work area with the icon drawn for that DPI, its layout again on a move to another scale,
// and one drawing function for WM_PAINT and WM_PRINTCLIENT. What a window must provide is
// checked in create().
#pragma once

#include "switching/failure.h"
#include "win/clientarea.h"
#include "win/dpi.h"
#include "win/errorreport.h"
#include "win/scoped.h"
#include "win/windowicons.h"

#include <windows.h>

#include <optional>
#include <type_traits>
#include <utility>

namespace zark {

// A window of the program as the layout gives it, in pixels at 96 dpi.
struct WindowDesign {
    const wchar_t* className;
    const wchar_t* caption;
    DWORD style;
    DWORD exStyle;
    RECT clientArea;  // on the screen, where the window opens
    int menu;         // the menu bar's resource id, or 0 for none
    int background;   // the system colour (COLOR_*) that the class paints the background in
};

// Registers the window class of `design` unless it is registered already. False with the
// thread's last error set if it cannot be.
bool registerClassOnce(HINSTANCE instance, const WindowDesign& design, WNDPROC procedure);

// A window that draws its client area has a public `void PaintContent(HDC dc) const`.
template <typename W, typename = void>
struct PaintsItself : std::false_type {};
template <typename W>
struct PaintsItself<W, std::void_t<decltype(std::declval<const W&>().PaintContent(HDC{}))>> : std::true_type {};

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

    // Creates the window, hidden: at the layout's own size first, since only the window knows
    // the DPI of the monitor that it opens on, then laid out at that DPI with its client area
    // at its place on the screen. The failure that stopped the creation is returned, and then no
    // window remains.
    std::optional<Failure> create(HINSTANCE instance) {
        // T befriends BaseWindow<T>, so that these may be private.
        static_assert(std::is_same_v<decltype(T::kDesign), const WindowDesign>,
                      "a window has `static const WindowDesign kDesign`: its class, frame and place at 96 dpi");
        static_assert(std::is_same_v<decltype(std::declval<T&>().OnCreate(HINSTANCE{})), std::optional<Failure>>,
                      "a window has `std::optional<Failure> OnCreate(HINSTANCE)`, which builds its controls");
        static_assert(std::is_same_v<decltype(std::declval<T&>().layOut()), std::optional<Failure>>,
                      "a window has `std::optional<Failure> layOut()`, which places its controls at dpi()");
        static_assert(std::is_same_v<decltype(std::declval<T&>().HandleMessage(UINT{}, WPARAM{}, LPARAM{})), LRESULT>,
                      "a window has `LRESULT HandleMessage(UINT, WPARAM, LPARAM)` for every other message");
        const WindowDesign& design = T::kDesign;
        if (!registerClassOnce(instance, design, WindowProc)) return lastFailure({});
        RECT frame = design.clientArea;
        if (!AdjustWindowRectEx(&frame, design.style, design.menu != 0, design.exStyle)) return lastFailure({});
        instance_ = instance;
        creationFailure_.reset();
        if (!CreateWindowExW(design.exStyle, design.className, design.caption, design.style, frame.left, frame.top,
                             frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance,
                             static_cast<T*>(this))) {
            // A creation that OnCreate failed has destroyed the window again.
            hwnd_ = nullptr;
            return creationFailure_ ? creationFailure_ : lastFailure({});
        }
        std::optional<Failure> failure = openAt(hwnd_, scaled(design.clientArea, dpi_));
        if (!failure) failure = icons_.show(hwnd_, instance, dpi_);
        if (failure) DestroyWindow(hwnd_);
        return failure;
    }

    // The DPI that the window is laid out at.
    UINT dpi() const { return dpi_; }
    HINSTANCE instance() const { return instance_; }
    // Set while the window is being created if OnCreate failed, until the next creation.
    bool creationFailed() const { return creationFailure_.has_value(); }

    HWND hwnd_ = nullptr;

private:
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
        const LRESULT result = self->dispatch(message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
            // The window that showed them is gone.
            self->icons_ = WindowIcons();
        }
        return result;
    }

    LRESULT dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
        T& self = static_cast<T&>(*this);
        switch (message) {
        case WM_CREATE:
            // Kept for create() to report once the half-made window is gone.
            dpi_ = dpiOf(hwnd_);
            creationFailure_ = self.OnCreate(instance_);
            return creationFailure_ ? -1 : 0;
        case WM_DPICHANGED: followDpi(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
        case WM_GETDPISCALEDSIZE: {
            // Asked before a move to a monitor of another scale: the frame that holds the client
            // area at the new DPI exactly, so that the system's suggestion needs no correction.
            const auto dpi = static_cast<UINT>(wParam);
            return frameSizeAt(hwnd_, scaledSize(T::kDesign.clientArea, dpi), dpi, *reinterpret_cast<SIZE*>(lParam));
        }
        }
        if constexpr (PaintsItself<T>::value) {
            if (message == WM_PAINT) {
                const ScopedPaint paint(hwnd_);
                self.PaintContent(paint.dc());
                return 0;
            }
            if (message == WM_PRINTCLIENT) {
                self.PaintContent(reinterpret_cast<HDC>(wParam));
                return 0;
            }
        }
        return self.HandleMessage(message, wParam, lParam);
    }

    // The window has moved to a monitor of another scale (or the scale has changed): the frame
    // goes where the system suggests, and the client area, the controls and the icon take their
    // sizes at the new DPI. A failure is reported, and the window stays as it is.
    void followDpi(UINT dpi, const RECT& suggested) {
        dpi_ = dpi;
        std::optional<Failure> failure = followDpiChange(hwnd_, suggested, scaledSize(T::kDesign.clientArea, dpi_));
        if (!failure) failure = static_cast<T&>(*this).layOut();
        if (!failure) failure = icons_.show(hwnd_, instance_, dpi_);
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        if (failure) showErrorReport(hwnd_, *failure);
    }

    HINSTANCE instance_ = nullptr;
    UINT dpi_ = 0;
    std::optional<Failure> creationFailure_;
    WindowIcons icons_;
};

}  // namespace zark
