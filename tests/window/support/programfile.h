// The resources of ZARKLauncher.exe, read from the file as data: menus belong to the process
// that loads them, so the launcher's own menu cannot be read from outside.
#pragma once

#include "support/handles.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace windowtest {

struct MenuEntry {
    std::wstring caption;  // empty for a separator
    UINT id = 0;
    UINT type = 0;                 // MFT_* flags
    UINT state = 0;                // MFS_* flags
    std::vector<MenuEntry> items;  // the items of a menu; empty for a command
};

struct IconImage {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    bool png = false;  // PNG-compressed rather than a bitmap
};

class ProgramFile {
public:
    explicit ProgramFile(const std::wstring& path);

    std::vector<MenuEntry> menu(int id) const;
    std::vector<ACCEL> accelerators(int id) const;
    // The images of an icon group, as their bitmap headers or PNG headers describe them (the
    // group's own entries say 0 for 256 pixels).
    std::vector<IconImage> icon(int id) const;
    // The image of `size` pixels of an icon group with 32 bits per pixel: colours and alpha as
    // 0xAARRGGBB, row by row from the top; empty if there is none.
    std::vector<DWORD> iconImage(int id, int size) const;
    // The bitmap resource `id`, or null.
    const BITMAPINFO* bitmap(int id) const;

    std::optional<VS_FIXEDFILEINFO> fixedInfo() const;
    std::vector<DWORD> translations() const;  // language in the low word, code page in the high
    std::optional<std::wstring> versionString(const std::wstring& block, const std::wstring& name) const;

private:
    Module module_;
    std::vector<BYTE> version_;
};

}  // namespace windowtest
