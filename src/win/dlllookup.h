// A function of a DLL of Windows looked up at run time: for calls that older Windows versions
// lack, an import of which would keep the programs from starting there at all, and for DLLs
// that only some commands need, which every start would pay for as imports.
#pragma once

#include <windows.h>

namespace zark {

// The DLL `module` of Windows: the one loaded already, or else the system folder's, loaded now by
// its full path for the program's life. Null where it cannot be loaded.
HMODULE systemDll(const wchar_t* module);

// The function `name` of the DLL `module` as the type `Function`; null where the DLL or the
// function is missing. The detour through a plain function type keeps the cast warning-free.
template <typename Function>
Function systemFunction(const wchar_t* module, const char* name) {
    const HMODULE loaded = systemDll(module);
    if (loaded == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(loaded, name)));
}

}  // namespace zark
