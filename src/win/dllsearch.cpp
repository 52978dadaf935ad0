#include "win/dllsearch.h"

#include "switching/failure.h"
#include "win/dlllookup.h"

#include <windows.h>

namespace zark {

std::optional<Failure> loadDllsFromSystemFolderOnly() {
    using SetDefaultDllDirectoriesCall = BOOL(WINAPI*)(DWORD);
    const auto restrict = systemFunction<SetDefaultDllDirectoriesCall>(L"kernel32.dll", "SetDefaultDllDirectories");
    if (restrict == nullptr) return std::nullopt;
    if (!restrict(LOAD_LIBRARY_SEARCH_SYSTEM32)) return lastFailure({});
    return std::nullopt;
}

}  // namespace zark
