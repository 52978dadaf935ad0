#include "support/screendpi.h"

#include "scoped.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace windowtest {
namespace {

constexpr const wchar_t* kDesktopKey = L"Control Panel\\Desktop";
constexpr const wchar_t* kLogPixels = L"LogPixels";

class DesktopKey {
public:
    DesktopKey()
    {
        if (RegCreateKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key_,
                            nullptr) != ERROR_SUCCESS)
            throw std::runtime_error("cannot open the desktop settings");
    }
    ~DesktopKey() { RegCloseKey(key_); }
    DesktopKey(const DesktopKey&) = delete;
    DesktopKey& operator=(const DesktopKey&) = delete;

    std::optional<DWORD> logPixels() const
    {
        DWORD value = 0;
        DWORD size = sizeof value;
        DWORD type = 0;
        if (RegQueryValueExW(key_, kLogPixels, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
                ERROR_SUCCESS ||
            type != REG_DWORD)
            return std::nullopt;
        return value;
    }

    void setLogPixels(const std::optional<DWORD>& dpi) const
    {
        const LSTATUS status =
            dpi ? RegSetValueExW(key_, kLogPixels, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&*dpi), sizeof *dpi)
                : RegDeleteValueW(key_, kLogPixels);
        if (status != ERROR_SUCCESS && !(status == ERROR_FILE_NOT_FOUND && !dpi))
            throw std::runtime_error("cannot set the screen's DPI");
    }

private:
    HKEY key_ = nullptr;
};

}  // namespace

ScreenDpi::ScreenDpi(DWORD dpi)
{
    DesktopKey key;
    previous_ = key.logPixels();
    key.setLogPixels(dpi);
}

ScreenDpi::~ScreenDpi()
{
    try {
        DesktopKey().setLogPixels(previous_);
    } catch (const std::exception& error) {
        ADD_FAILURE() << error.what();
    }
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
