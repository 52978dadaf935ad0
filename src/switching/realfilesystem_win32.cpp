// The FileSystem seam on Windows, through the wide (W) API only.
#include "filesystem.h"
#include "scopedhandle.h"
#include "winstrings.h"

#include <windows.h>

namespace zark {

Failure systemFailure(int code, const std::string& file) {
    const DWORD error = static_cast<DWORD>(code);
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        error, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    std::wstring text;
    if (length > 0 && buffer != nullptr) text.assign(buffer, length);
    if (buffer != nullptr) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n')) text.pop_back();

    Failure failure;
    failure.number = code;
    failure.description = text.empty() ? "Error " + std::to_string(error) : narrow(text);
    failure.file = file;
    // A write-protected medium counts too: the advice (another folder, other rights) is the same.
    failure.accessDenied = error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT;
    return failure;
}

Failure lastFailure(const std::string& file) { return systemFailure(static_cast<int>(GetLastError()), file); }

namespace {

bool writeAll(HANDLE file, const std::string& content) {
    const char* data = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        const DWORD chunk = left > 0x10000000 ? 0x10000000 : static_cast<DWORD>(left);
        DWORD written = 0;
        if (!WriteFile(file, data, chunk, &written, nullptr)) return false;
        data += written;
        left -= written;
    }
    return true;
}

// Creates a new file beside `name` under a name no other file has, and returns it with that
// name; invalid handle (and GetLastError set) on failure.
HANDLE createTemporaryBeside(const std::wstring& name, std::wstring& tempName) {
    static unsigned counter = 0;
    const std::wstring stem = name + L"." + std::to_wstring(GetCurrentProcessId()) + L".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempName = stem + std::to_wstring(++counter) + L".tmp";
        const HANDLE file = CreateFileW(tempName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return INVALID_HANDLE_VALUE;
}

class Win32FileSystem final : public FileSystem {
public:
    std::optional<Failure> readFile(const std::string& name, std::string& content) override {
        ScopedHandle file(CreateFileW(widen(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) return lastFailure(name);
        std::string result;
        char buffer[4096];
        for (;;) {
            DWORD got = 0;
            if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) return lastFailure(name);
            if (got == 0) break;
            result.append(buffer, got);
        }
        content = std::move(result);
        return std::nullopt;
    }

    std::optional<Failure> fileExists(const std::string& name, bool& exists) override {
        if (GetFileAttributesW(widen(name).c_str()) != INVALID_FILE_ATTRIBUTES) {
            exists = true;
            return std::nullopt;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) return lastFailure(name);
        exists = false;
        return std::nullopt;
    }

    std::optional<Failure> renameNoReplace(const std::string& from, const std::string& to) override {
        // Without MOVEFILE_REPLACE_EXISTING the move fails if `to` exists, atomically.
        if (MoveFileExW(widen(from).c_str(), widen(to).c_str(), 0)) return std::nullopt;
        const DWORD error = GetLastError();
        const bool targetTaken = error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS;
        return systemFailure(static_cast<int>(error), targetTaken ? to : from);
    }

    std::optional<Failure> replaceAtomically(const std::string& name, const std::string& content) override {
        const std::wstring wideName = widen(name);
        std::wstring tempName;
        ScopedHandle file(createTemporaryBeside(wideName, tempName));
        if (!file.valid()) return lastFailure(name);

        DWORD error = ERROR_SUCCESS;
        if (!writeAll(file.get(), content) || !FlushFileBuffers(file.get())) error = GetLastError();
        if (!file.close() && error == ERROR_SUCCESS) error = GetLastError();
        if (error == ERROR_SUCCESS &&
            !MoveFileExW(tempName.c_str(), wideName.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            error = GetLastError();
        }
        if (error != ERROR_SUCCESS) {
            DeleteFileW(tempName.c_str());
            return systemFailure(static_cast<int>(error), name);
        }
        return std::nullopt;
    }
};

}  // namespace

FileSystem& realFileSystem() {
    static Win32FileSystem fs;
    return fs;
}

}  // namespace zark
