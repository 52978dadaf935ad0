#include "win/dlllookup.h"

#include "win/systemfolders.h"

namespace zark {

HMODULE systemDll(const wchar_t* module) {
    if (const HMODULE loaded = GetModuleHandleW(module)) return loaded;
    const std::optional<std::wstring> path = inSystemFolder(module);
    return path ? LoadLibraryW(path->c_str()) : nullptr;
}

}  // namespace zark
