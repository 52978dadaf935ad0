#include "systemcall.h"

#include "systemfolders.h"

namespace zark {

HMODULE systemModule(const wchar_t* module) {
    if (const HMODULE loaded = GetModuleHandleW(module)) return loaded;
    const std::optional<std::wstring> path = inSystemFolder(module);
    return path ? LoadLibraryW(path->c_str()) : nullptr;
}

}  // namespace zark
