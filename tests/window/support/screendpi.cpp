#include "support/screendpi.h"

#include "scoped.h"

#include <stdexcept>

namespace windowtest {

ScreenDpi::ScreenDpi(int dpi)
    : value_(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", RegistryValue::number(static_cast<DWORD>(dpi)))
{
}

int scaled(int pixels, int dpi) { return MulDiv(pixels, dpi, USER_DEFAULT_SCREEN_DPI); }

RECT scaled(const RECT& laidOut, int dpi)
{
    const int left = scaled(laidOut.left, dpi);
    const int top = scaled(laidOut.top, dpi);
    return {left, top, left + scaled(laidOut.right - laidOut.left, dpi), top + scaled(laidOut.bottom - laidOut.top, dpi)};
}

int textWidth(const std::wstring& text, const LOGFONTW& font)
{
    const zark::ScopedWindowDC screen(nullptr);
    const zark::ScopedFont made(CreateFontIndirectW(&font));
    if (!screen || !made) throw std::runtime_error("cannot measure a text");
    const zark::ScopedSelect select(screen.get(), made.get());
    SIZE extent{};
    GetTextExtentPoint32W(screen.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    return extent.cx;
}

}  // namespace windowtest
