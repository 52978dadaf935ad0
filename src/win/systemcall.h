// A function of a DLL of Windows looked up at run time: for calls that older Windows versions
// lack, an import of which would keep the programs from starting there at all, and for DLLs
// that are loaded only when they are needed.
#pragma once

#include <windows.h>

namespace zark {

// The function `name` of the loaded DLL `module` as the type `Function`; null where the DLL is
// not loaded or lacks it. The detour through a plain function type keeps the cast warning-free.
template <typename Function>
Function systemCall(const wchar_t* module, const char* name) {
    const HMODULE loaded = GetModuleHandleW(module);
    if (loaded == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(loaded, name)));
}

}  // namespace zark
