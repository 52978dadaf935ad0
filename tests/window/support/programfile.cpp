#include "support/programfile.h"

#include <stdexcept>

namespace windowtest {
namespace {

struct MenuHandle {
    explicit MenuHandle(HMENU menu) : menu(menu) {}
    ~MenuHandle()
    {
        if (menu) DestroyMenu(menu);
    }
    MenuHandle(const MenuHandle&) = delete;
    MenuHandle& operator=(const MenuHandle&) = delete;
    HMENU menu;
};

std::vector<MenuEntry> readMenu(HMENU menu)
{
    std::vector<MenuEntry> entries;
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        wchar_t caption[256] = L"";
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = caption;
        info.cch = 256;
        if (!GetMenuItemInfoW(menu, position, TRUE, &info)) throw std::runtime_error("GetMenuItemInfoW failed");
        MenuEntry entry;
        entry.caption = caption;
        entry.id = info.wID;
        entry.type = info.fType;
        entry.state = info.fState;
        if (info.hSubMenu) entry.items = readMenu(info.hSubMenu);
        entries.push_back(entry);
    }
    return entries;
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD size;
    WORD id;
};
struct GroupIconHeader {
    WORD reserved, type, count;
};
#pragma pack(pop)

const void* resource(HMODULE module, int id, const wchar_t* type)
{
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    return loaded ? LockResource(loaded) : nullptr;
}

}  // namespace

ProgramFile::ProgramFile(const std::wstring& path)
    : module_(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE))
{
    if (!module_.get()) throw std::runtime_error("cannot load the program file as data");
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) return;
    version_.resize(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, version_.data())) version_.clear();
}

std::vector<MenuEntry> ProgramFile::menu(int id) const
{
    MenuHandle menu(LoadMenuW(module_.get(), MAKEINTRESOURCEW(id)));
    if (!menu.menu) return {};
    return readMenu(menu.menu);
}

std::vector<ACCEL> ProgramFile::accelerators(int id) const
{
    // Accelerator tables loaded from a module are freed with it.
    HACCEL table = LoadAcceleratorsW(module_.get(), MAKEINTRESOURCEW(id));
    if (!table) return {};
    std::vector<ACCEL> entries(static_cast<size_t>(CopyAcceleratorTableW(table, nullptr, 0)));
    CopyAcceleratorTableW(table, entries.data(), static_cast<int>(entries.size()));
    return entries;
}

std::vector<IconImage> ProgramFile::icon(int id) const
{
    const auto* header = static_cast<const GroupIconHeader*>(resource(module_.get(), id, RT_GROUP_ICON));
    if (!header) return {};
    const auto* entries = reinterpret_cast<const GroupIconEntry*>(header + 1);
    std::vector<IconImage> images;
    for (WORD i = 0; i < header->count; ++i) {
        const auto* image = static_cast<const BITMAPINFOHEADER*>(resource(module_.get(), entries[i].id, RT_ICON));
        if (!image) continue;
        // An icon image's bitmap height counts the colour rows and the mask rows.
        images.push_back({image->biWidth, image->biHeight / 2, image->biBitCount});
    }
    return images;
}

const BITMAPINFO* ProgramFile::bitmap(int id) const
{
    return static_cast<const BITMAPINFO*>(resource(module_.get(), id, RT_BITMAP));
}

std::optional<VS_FIXEDFILEINFO> ProgramFile::fixedInfo() const
{
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (version_.empty() || !VerQueryValueW(version_.data(), L"\\", reinterpret_cast<void**>(&fixed), &length))
        return std::nullopt;
    return *fixed;
}

std::vector<DWORD> ProgramFile::translations() const
{
    DWORD* pairs = nullptr;
    UINT length = 0;
    if (version_.empty() ||
        !VerQueryValueW(version_.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&pairs), &length))
        return {};
    return std::vector<DWORD>(pairs, pairs + length / sizeof(DWORD));
}

std::optional<std::wstring> ProgramFile::versionString(const std::wstring& block, const std::wstring& name) const
{
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring query = L"\\StringFileInfo\\" + block + L"\\" + name;
    if (version_.empty() || !VerQueryValueW(version_.data(), query.c_str(), reinterpret_cast<void**>(&value), &length))
        return std::nullopt;
    return std::wstring(value);
}

}  // namespace windowtest
