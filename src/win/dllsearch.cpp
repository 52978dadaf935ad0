#include "win/dllsearch.h"

#include "failure.h"

#include <windows.h>

namespace zark {

std::optional<Failure> loadDllsFromSystemFolderOnly() {
    // Looked up rather than imported: an import would keep the programs from starting at all
    // where the call is missing.
    using SetDefaultDllDirectoriesCall = BOOL(WINAPI*)(DWORD);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const FARPROC found = kernel != nullptr ? GetProcAddress(kernel, "SetDefaultDllDirectories") : nullptr;
    if (found == nullptr) return std::nullopt;
    const auto restrict = reinterpret_cast<SetDefaultDllDirectoriesCall>(reinterpret_cast<void (*)()>(found));
    if (!restrict(LOAD_LIBRARY_SEARCH_SYSTEM32)) return lastFailure({});
    return std::nullopt;
}

}  // namespace zark
