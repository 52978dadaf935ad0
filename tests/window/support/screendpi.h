// The screen's DPI that the launcher starts with, and the width of a text at it.
#pragma once

#include "support/registry.h"

#include <windows.h>

#include <string>

namespace windowtest {

// The prefix's screen DPI (LogPixels), which every process reads once as it starts: set for
// the life of the object, then put back.
class ScreenDpi {
public:
    explicit ScreenDpi(int dpi);

private:
    RegistryValue value_;
};

// The width of `text` in `font`, in pixels.
int textWidth(const std::wstring& text, const LOGFONTW& font);

}  // namespace windowtest
