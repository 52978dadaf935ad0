#include "picture.h"

#include "picturebutton.h"
#include "resources/resource.h"
#include "win/scoped.h"

#include <windowsx.h>

namespace zark {

namespace {

// What the window shows lives in its extra bytes; the window does not own it.
constexpr int kBitmapSlot = 0;

const DibView& bitmapOf(HWND picture) {
    return *reinterpret_cast<const DibView*>(GetWindowLongPtrW(picture, kBitmapSlot));
}

BOOL OnNCCreate(HWND picture, LPCREATESTRUCTW create) {
    SetWindowLongPtrW(picture, kBitmapSlot, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    return FORWARD_WM_NCCREATE(picture, create, DefWindowProcW);
}

void OnPaint(HWND picture) {
    const ScopedPaint paint(picture);
    drawDib(paint.dc(), bitmapOf(picture), 0, 0);
}

// The button went down here: keep the mouse until it comes up, wherever that is.
void OnLButtonDown(HWND picture, BOOL, int, int, UINT) { SetCapture(picture); }

// A click only if the button also comes up over the picture, as with a push button.
void OnLButtonUp(HWND picture, int x, int y, UINT) {
    if (GetCapture() != picture) return;
    ReleaseCapture();
    RECT area;
    if (!GetClientRect(picture, &area) || !PtInRect(&area, POINT{x, y})) return;
    FORWARD_WM_COMMAND(GetParent(picture), GetDlgCtrlID(picture), picture, STN_CLICKED, SendMessageW);
}

LRESULT CALLBACK pictureProc(HWND picture, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(picture, WM_NCCREATE, OnNCCreate);
        HANDLE_MSG(picture, WM_PAINT, OnPaint);
        HANDLE_MSG(picture, WM_LBUTTONDOWN, OnLButtonDown);
        HANDLE_MSG(picture, WM_LBUTTONUP, OnLButtonUp);
        case WM_GETOBJECT: return answerGetObject(picture, wParam, lParam);
    }
    return DefWindowProcW(picture, message, wParam, lParam);
}

}  // namespace

bool registerPictureClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = pictureProc;
    windowClass.cbWndExtra = sizeof(const DibView*);
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = ZARK_PICTURE_CLASS;
    return RegisterClassExW(&windowClass) != 0;
}

HWND createPicture(HINSTANCE instance, HWND parent, int id, const RECT& area, const DibView& bitmap,
                   const std::wstring& name) {
    return CreateWindowExW(0, ZARK_PICTURE_CLASS, name.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, area.left,
                           area.top, area.right - area.left, area.bottom - area.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                           const_cast<DibView*>(&bitmap));
}

}  // namespace zark

