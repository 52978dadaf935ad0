#include "win/dllsearch.h"

#include "failure.h"
#include "win/systemcall.h"

#include <windows.h>

namespace zark {

std::optional<Failure> loadDllsFromSystemFolderOnly() {
    using SetDefaultDllDirectoriesCall = BOOL(WINAPI*)(DWORD);
    const auto restrict = systemCall<SetDefaultDllDirectoriesCall>(L"kernel32.dll", "SetDefaultDllDirectories");
    if (restrict == nullptr) return std::nullopt;
    if (!restrict(LOAD_LIBRARY_SEARCH_SYSTEM32)) return lastFailure({});
    return std::nullopt;
}

}  // namespace zark
