#include "support/programfile.h"

#include <cstring>
#include <iterator>
#include <stdexcept>

namespace windowtest {
namespace {

struct MenuHandle {
    explicit MenuHandle(HMENU menu) : menu(menu) {}
    ~MenuHandle() {
        if (menu) DestroyMenu(menu);
    }
    MenuHandle(const MenuHandle&) = delete;
    MenuHandle& operator=(const MenuHandle&) = delete;
    HMENU menu;
};

std::vector<MenuEntry> readMenu(HMENU menu) {
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

struct Bytes {
    const BYTE* data = nullptr;
    DWORD size = 0;
};

Bytes resource(HMODULE module, int id, const wchar_t* type) {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return {};
    return {static_cast<const BYTE*>(data), SizeofResource(module, found)};
}

// A PNG-compressed icon image has no bitmap header: its size and depth are in the IHDR chunk
// that follows the signature (big-endian width and height, bits per channel, colour type).
std::optional<IconImage> pngImage(const Bytes& image) {
    static const BYTE signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (image.size < 26 || std::memcmp(image.data, signature, sizeof signature) != 0 ||
        std::memcmp(image.data + 12, "IHDR", 4) != 0)
        return std::nullopt;
    auto bigEndian = [&](int at) {
        const BYTE* b = image.data + at;
        return static_cast<int>(DWORD{b[0]} << 24 | DWORD{b[1]} << 16 | DWORD{b[2]} << 8 | b[3]);
    };
    // By colour type: 0 grey, 2 RGB, 3 palette, 4 grey and alpha, 6 RGBA.
    static const int channels[] = {1, 0, 3, 1, 2, 0, 4};
    const BYTE type = image.data[25];
    const int bits = type < std::size(channels) ? image.data[24] * channels[type] : 0;
    return IconImage{bigEndian(16), bigEndian(20), bits, true};
}

}  // namespace

ProgramFile::ProgramFile(const std::wstring& path)
    : module_(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {
    if (!module_.get()) throw std::runtime_error("cannot load the program file as data");
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) return;
    version_.resize(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, version_.data())) version_.clear();
}

std::vector<MenuEntry> ProgramFile::menu(int id) const {
    MenuHandle menu(LoadMenuW(module_.get(), MAKEINTRESOURCEW(id)));
    if (!menu.menu) return {};
    return readMenu(menu.menu);
}

std::vector<ACCEL> ProgramFile::accelerators(int id) const {
    // Accelerator tables loaded from a module are freed with it.
    HACCEL table = LoadAcceleratorsW(module_.get(), MAKEINTRESOURCEW(id));
    if (!table) return {};
    std::vector<ACCEL> entries(static_cast<size_t>(CopyAcceleratorTableW(table, nullptr, 0)));
    CopyAcceleratorTableW(table, entries.data(), static_cast<int>(entries.size()));
    return entries;
}

std::vector<IconImage> ProgramFile::icon(int id) const {
    const auto* header = reinterpret_cast<const GroupIconHeader*>(resource(module_.get(), id, RT_GROUP_ICON).data);
    if (!header) return {};
    const auto* entries = reinterpret_cast<const GroupIconEntry*>(header + 1);
    std::vector<IconImage> images;
    for (WORD i = 0; i < header->count; ++i) {
        const Bytes image = resource(module_.get(), entries[i].id, RT_ICON);
        if (const auto png = pngImage(image)) {
            images.push_back(*png);
        } else if (image.size >= sizeof(BITMAPINFOHEADER)) {
            const auto* bitmap = reinterpret_cast<const BITMAPINFOHEADER*>(image.data);
            // An icon image's bitmap height counts the colour rows and the mask rows.
            images.push_back({bitmap->biWidth, bitmap->biHeight / 2, bitmap->biBitCount, false});
        }
    }
    return images;
}

std::vector<DWORD> ProgramFile::iconImage(int id, int size) const {
    const auto* header = reinterpret_cast<const GroupIconHeader*>(resource(module_.get(), id, RT_GROUP_ICON).data);
    if (!header) return {};
    const auto* entries = reinterpret_cast<const GroupIconEntry*>(header + 1);
    for (WORD i = 0; i < header->count; ++i) {
        const Bytes image = resource(module_.get(), entries[i].id, RT_ICON);
        const auto* bitmap = reinterpret_cast<const BITMAPINFOHEADER*>(image.data);
        if (pngImage(image) || image.size < sizeof(BITMAPINFOHEADER) || bitmap->biWidth != size ||
            bitmap->biBitCount != 32)
            continue;
        // The colour rows, from the bottom, follow the header; the mask's rows follow them.
        const auto* rows = reinterpret_cast<const DWORD*>(image.data + bitmap->biSize);
        std::vector<DWORD> pixels;
        for (int y = size - 1; y >= 0; --y) pixels.insert(pixels.end(), rows + y * size, rows + (y + 1) * size);
        return pixels;
    }
    return {};
}

const BITMAPINFO* ProgramFile::bitmap(int id) const {
    return reinterpret_cast<const BITMAPINFO*>(resource(module_.get(), id, RT_BITMAP).data);
}

std::optional<VS_FIXEDFILEINFO> ProgramFile::fixedInfo() const {
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (version_.empty() || !VerQueryValueW(version_.data(), L"\\", reinterpret_cast<void**>(&fixed), &length))
        return std::nullopt;
    return *fixed;
}

std::vector<DWORD> ProgramFile::translations() const {
    DWORD* pairs = nullptr;
    UINT length = 0;
    if (version_.empty() ||
        !VerQueryValueW(version_.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&pairs), &length))
        return {};
    return std::vector<DWORD>(pairs, pairs + length / sizeof(DWORD));
}

std::optional<std::wstring> ProgramFile::versionString(const std::wstring& block, const std::wstring& name) const {
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring query = L"\\StringFileInfo\\" + block + L"\\" + name;
    if (version_.empty() || !VerQueryValueW(version_.data(), query.c_str(), reinterpret_cast<void**>(&value), &length))
        return std::nullopt;
    return std::wstring(value);
}

}  // namespace windowtest
