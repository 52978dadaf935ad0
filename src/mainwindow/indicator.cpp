#include "mainwindow/indicator.h"

#include "switching/winstrings.h"
#include "win/dpi.h"

namespace zark {

namespace {

// The focus rectangle's distance from the button's edge, in pixels at 96 dpi: inside the
// picture's frame, as a push button draws it inside its own.
constexpr int kFocusInset = 2;

}  // namespace

Indicator::Indicator(const Variant& variant, int id, const RECT& area, const DibView& activated,
                     const DibView& deactivated)
    : variant_(variant), id_(id), area_(area), activated_(activated), deactivated_(deactivated) {}

// What the lettering of the picture says, after the variant's name.
std::wstring Indicator::name() const {
    return widen(variant_.label) + (showsActivated() ? L": ACTIVATED" : L": DE-ACTIVATED");
}

std::optional<Failure> Indicator::create(HINSTANCE instance, HWND parent, bool first) {
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW | (first ? WS_GROUP : 0);
    button_ = CreateWindowExW(0, L"BUTTON", name().c_str(), style, 0, 0, 0, 0, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), instance, nullptr);
    if (button_ == nullptr) return lastFailure({});
    return std::nullopt;
}

std::optional<Failure> Indicator::place(UINT dpi) const {
    const RECT area = scaled(area_, dpi);
    if (!SetWindowPos(button_, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                      SWP_NOZORDER | SWP_NOACTIVATE)) {
        return lastFailure({});
    }
    return std::nullopt;
}

// A new name is a new picture: the button is renamed, which screen readers announce, and drawn
// anew.
void Indicator::show(ModState stored) {
    const bool activatedBefore = showsActivated();
    state_ = stored == 0 ? kInactive : stored;
    if (showsActivated() == activatedBefore) return;
    SetWindowTextW(button_, name().c_str());
    InvalidateRect(button_, nullptr, FALSE);
}

void Indicator::draw(const DRAWITEMSTRUCT& item, bool focusShown, UINT dpi) const {
    const int saved = SaveDC(item.hDC);
    IntersectClipRect(item.hDC, item.rcItem.left, item.rcItem.top, item.rcItem.right, item.rcItem.bottom);
    drawDib(item.hDC, showsActivated() ? activated_ : deactivated_, item.rcItem.left, item.rcItem.top);
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT) && focusShown) {
        RECT focus = item.rcItem;
        InflateRect(&focus, -scaled(kFocusInset, dpi), -scaled(kFocusInset, dpi));
        DrawFocusRect(item.hDC, &focus);
    }
    if (saved != 0) RestoreDC(item.hDC, saved);
}

}  // namespace zark
