// The system's failures on Windows: GetLastError's codes in the system's own words.
#include "switching/failure.h"
#include "switching/winstrings.h"

#include <windows.h>

namespace zark {

Failure systemFailure(int code, const std::string& file) {
    const DWORD error = static_cast<DWORD>(code);
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    std::wstring text;
    if (length > 0 && buffer != nullptr) text.assign(buffer, length);
    if (buffer != nullptr) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n')) text.pop_back();

    Failure failure;
    failure.number = code;
    failure.description = text.empty() ? "Error " + std::to_string(error) : narrow(text);
    failure.file = file;
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) {
        failure.cause = Cause::InUse;
        failure.transient = true;
    }
    return failure;
}

Failure lastFailure(const std::string& file) { return systemFailure(static_cast<int>(GetLastError()), file); }

}  // namespace zark
