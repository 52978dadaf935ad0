#include "support/screendpi.h"

#include "win/scoped.h"

#include <stdexcept>

namespace windowtest {

ScreenDpi::ScreenDpi(int dpi)
    : value_(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels",
             RegistryValue::number(static_cast<DWORD>(dpi))) {}

int textWidth(const std::wstring& text, const LOGFONTW& font) {
    const zark::ScopedWindowDC screen(nullptr);
    const zark::ScopedFont made(CreateFontIndirectW(&font));
    if (!screen || !made) throw std::runtime_error("cannot measure a text");
    const zark::ScopedSelect select(screen.get(), made.get());
    SIZE extent{};
    GetTextExtentPoint32W(screen.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    return extent.cx;
}

}  // namespace windowtest
