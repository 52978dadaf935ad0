// The FileSystem seam on Windows, through the wide (W) API only.
#include "switching/filesystem.h"
#include "switching/scopedhandle.h"
#include "switching/winstrings.h"

#include <windows.h>

namespace zark {

namespace {

// Access denied means different things: a read-only file, a file that another program holds
// open without letting others delete it (a virus scanner, for a moment), or a folder where
// the user may not write. Opening the file for deletion, as the failed step needed, tells
// the last two apart.
Cause deniedCause(const std::wstring& file) {
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        return Cause::ReadOnlyFile;
    }
    const ScopedHandle probe(CreateFileW(file.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (probe.valid()) return Cause::InUse;
    return GetLastError() == ERROR_SHARING_VIOLATION ? Cause::InUse : Cause::FolderProtected;
}

// The failure of a step that writes into the folder, for `error` (GetLastError's value).
// `affected` is the existing file whose deletion or replacement the step needed, if any: a
// refusal to create a new file is always the folder's.
Failure writeFailure(DWORD error, const std::string& file, const std::wstring& affected = {}) {
    Failure failure = systemFailure(static_cast<int>(error), file);
    if (error == ERROR_ACCESS_DENIED) {
        failure.cause = affected.empty() ? Cause::FolderProtected : deniedCause(affected);
        failure.transient = failure.cause == Cause::InUse;
    } else if (error == ERROR_WRITE_PROTECT) {
        failure.cause = Cause::FolderProtected;
    }
    return failure;
}

// What a name is, from its attributes. A junction is a folder and a reparse point: it counts as
// a link, since it leads elsewhere.
EntryKind kindOfAttributes(DWORD attributes) {
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return EntryKind::Link;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return EntryKind::Folder;
    if (attributes & FILE_ATTRIBUTE_DEVICE) return EntryKind::Other;
    return EntryKind::File;
}

// Whether the user may create files in the folder of `name`: asked by opening the folder for
// adding a file, which writes nothing.
bool folderWritable(const std::wstring& name) {
    const std::size_t separator = name.find_last_of(L"\\/");
    const std::wstring folder = separator == std::wstring::npos ? L"." : name.substr(0, separator + 1);
    const ScopedHandle opened(CreateFileW(folder.c_str(), FILE_ADD_FILE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return opened.valid();
}

// Why the lock file could not be opened (`error`, GetLastError's value): something that is no
// file under its name; a lock file that refuses writing while the folder may be written
// (read-only, left by another user); or else, as for any new file, the folder.
Failure lockFileFailure(DWORD error, const std::string& name, const std::wstring& wideName) {
    const DWORD attributes = GetFileAttributesW(wideName.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return writeFailure(error, name);
    const EntryKind kind = kindOfAttributes(attributes);
    if (kind != EntryKind::File) return LockFileNotAFileFailure(name, kind);
    Failure failure = systemFailure(static_cast<int>(error), name);
    if (error == ERROR_ACCESS_DENIED) {
        failure.cause = folderWritable(wideName) ? Cause::LockFileRefused : Cause::FolderProtected;
    } else if (error == ERROR_WRITE_PROTECT) {
        failure.cause = Cause::FolderProtected;
    }
    return failure;
}

// Opens the lock file for reading and writing, creating it where nothing has its name. Everyone
// may open it: only the lock on its first byte excludes. A link is opened as itself, never
// followed, and a folder as a folder, so that the handle shows what lies under the name. The
// file is created only as a new one (as O_EXCL does): Wine shows a Unix link as what it leads
// to, and a link that leads nowhere must not create a file there.
std::optional<Failure> openLockFile(const std::string& name, ScopedHandle& file) {
    const std::wstring wideName = widen(name);
    for (int attempt = 0; attempt < 3; ++attempt) {
        // Opened first, since after the first switch in a folder it is always there.
        for (const DWORD disposition : {OPEN_EXISTING, CREATE_NEW}) {
            const HANDLE opened =
                CreateFileW(wideName.c_str(), GENERIC_READ | GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, disposition,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
            if (opened != INVALID_HANDLE_VALUE) {
                file.reset(opened);
                return std::nullopt;
            }
            // Only "there" when creating and "not there" when opening go on: the name changed
            // in between, or a link leads nowhere.
            const DWORD error = GetLastError();
            const bool there = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
            if (disposition == CREATE_NEW ? !there : error != ERROR_FILE_NOT_FOUND) {
                return lockFileFailure(error, name, wideName);
            }
        }
    }
    // Each time there and not there: a link that leads nowhere.
    return LockFileNotAFileFailure(name, EntryKind::Link);
}

// Holds a lock on the first byte of the open lock file. Closing the handle lets go of the
// lock, as does the end of the process, however it ends.
class ByteLock final : public FileLock {
public:
    explicit ByteLock(HANDLE file) : file_(file) {}

private:
    ScopedHandle file_;
};

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
        const HANDLE file =
            CreateFileW(tempName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return INVALID_HANDLE_VALUE;
}

// An environment variable's value; empty where it is not set.
std::wstring environment(const wchar_t* name) {
    wchar_t value[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? std::wstring() : std::wstring(value, length);
}

// Whether `path` lies inside the folder `root`, as Windows compares paths: ignoring case.
bool inside(const std::wstring& path, const std::wstring& root) {
    if (root.empty() || path.size() <= root.size() || path[root.size()] != L'\\') return false;
    return CompareStringOrdinal(path.c_str(), static_cast<int>(root.size()), root.c_str(),
                                static_cast<int>(root.size()), TRUE) == CSTR_EQUAL;
}

class Win32FileSystem final : public FileSystem {
public:
    std::optional<Failure> readFile(const std::string& name, std::size_t limit, std::string& content) override {
        const std::wstring wideName = widen(name);
        ScopedHandle file(CreateFileW(wideName.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) {
            // A folder cannot be opened as a file at all: it would read as access denied.
            const DWORD error = GetLastError();
            const DWORD attributes = GetFileAttributesW(wideName.c_str());
            if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
                return NotPlainFileFailure(name);
            }
            return systemFailure(static_cast<int>(error), name);
        }
        if (GetFileType(file.get()) != FILE_TYPE_DISK) return NotPlainFileFailure(name);

        // Read no more than one buffer past the limit, however long the file is or grows. A
        // disk file reads short only at its end, which spares a store a second read.
        std::string result;
        char buffer[4096];
        while (result.size() <= limit) {
            DWORD got = 0;
            if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) return lastFailure(name);
            result.append(buffer, got);
            if (got < sizeof buffer) break;
        }
        if (result.size() > limit) return TooLongFailure(name, limit);
        content = std::move(result);
        return std::nullopt;
    }

    std::optional<Failure> kindOf(const std::string& name, EntryKind& kind) override {
        const DWORD attributes = GetFileAttributesW(widen(name).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            kind = kindOfAttributes(attributes);
            return std::nullopt;
        }
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            kind = EntryKind::None;
            return std::nullopt;
        }
        // Wine's answer for a Unix pipe or device: something is there, but no file.
        if (error == ERROR_INVALID_PARAMETER) {
            kind = EntryKind::Other;
            return std::nullopt;
        }
        return systemFailure(static_cast<int>(error), name);
    }

    std::optional<Failure> listFolder(std::vector<std::string>& names) override {
        WIN32_FIND_DATAW found;
        const HANDLE search = FindFirstFileExW(L"*", FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
        if (search == INVALID_HANDLE_VALUE) return lastFailure(".");
        do {
            const std::wstring name = found.cFileName;
            if (name != L"." && name != L"..") names.push_back(narrow(name));
        } while (FindNextFileW(search, &found));
        const DWORD error = GetLastError();
        FindClose(search);
        if (error != ERROR_NO_MORE_FILES) return systemFailure(static_cast<int>(error), ".");
        return std::nullopt;
    }

    std::optional<Failure> renameNoReplace(const std::string& from, const std::string& to) override {
        const std::wstring wideFrom = widen(from);
        // Without MOVEFILE_REPLACE_EXISTING the move fails if `to` exists, atomically.
        if (MoveFileExW(wideFrom.c_str(), widen(to).c_str(), 0)) return std::nullopt;
        const DWORD error = GetLastError();
        if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) {
            Failure failure = systemFailure(static_cast<int>(error), to);
            failure.cause = Cause::NameTaken;
            return failure;
        }
        Failure failure = writeFailure(error, from, wideFrom);
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) failure.cause = Cause::SourceMissing;
        return failure;
    }

    std::optional<Failure> writeTemporary(const std::string& name, const std::string& content,
                                          std::string& temporary) override {
        std::wstring tempName;
        ScopedHandle file(createTemporaryBeside(widen(name), tempName));
        if (!file.valid()) return writeFailure(GetLastError(), name);

        DWORD error = ERROR_SUCCESS;
        if (!writeAll(file.get(), content) || !FlushFileBuffers(file.get())) error = GetLastError();
        if (!file.close() && error == ERROR_SUCCESS) error = GetLastError();
        if (error != ERROR_SUCCESS) {
            DeleteFileW(tempName.c_str());
            return writeFailure(error, name);
        }
        temporary = narrow(tempName);
        return std::nullopt;
    }

    std::optional<Failure> replaceWith(const std::string& temporary, const std::string& name) override {
        const std::wstring wideName = widen(name);
        if (MoveFileExW(widen(temporary).c_str(), wideName.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return std::nullopt;
        }
        return writeFailure(GetLastError(), name, wideName);
    }

    std::optional<Failure> removeFile(const std::string& name) override {
        const std::wstring wideName = widen(name);
        if (DeleteFileW(wideName.c_str())) return std::nullopt;
        return writeFailure(GetLastError(), name, wideName);
    }

    // Opened as itself, never followed, and removed through that handle: whatever the name comes
    // to hold meanwhile, nothing a link leads to is touched. The read-only mark, which keeps a
    // file from being deleted, goes first, and comes back if the removal fails.
    std::optional<Failure> removeFileOrEmptyFolder(const std::string& name) override {
        const std::wstring wideName = widen(name);
        const ScopedHandle entry(CreateFileW(wideName.c_str(), DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                             OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS,
                                             nullptr));
        if (!entry.valid()) return writeFailure(GetLastError(), name, wideName);
        FILE_BASIC_INFO basic;
        if (!GetFileInformationByHandleEx(entry.get(), FileBasicInfo, &basic, sizeof basic)) return lastFailure(name);
        const EntryKind kind =
            GetFileType(entry.get()) == FILE_TYPE_DISK ? kindOfAttributes(basic.FileAttributes) : EntryKind::Other;
        if (kind != EntryKind::File && kind != EntryKind::Folder) return NotAFileFailure(name, kind);

        const DWORD attributes = basic.FileAttributes;
        const bool readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
        // Times of zero are left as they are.
        basic.CreationTime.QuadPart = basic.LastAccessTime.QuadPart = 0;
        basic.LastWriteTime.QuadPart = basic.ChangeTime.QuadPart = 0;
        auto mark = [&](DWORD wanted) {
            basic.FileAttributes = wanted != 0 ? wanted : FILE_ATTRIBUTE_NORMAL;
            return SetFileInformationByHandle(entry.get(), FileBasicInfo, &basic, sizeof basic) != 0;
        };
        if (readOnly && !mark(attributes & ~FILE_ATTRIBUTE_READONLY)) {
            return writeFailure(GetLastError(), name, wideName);
        }
        FILE_DISPOSITION_INFO disposition{TRUE};
        if (SetFileInformationByHandle(entry.get(), FileDispositionInfo, &disposition, sizeof disposition)) {
            return std::nullopt;
        }
        const DWORD error = GetLastError();
        if (readOnly) mark(attributes);
        return writeFailure(error, name, wideName);
    }

    std::optional<Failure> tryLock(const std::string& name, std::unique_ptr<FileLock>& lock) override {
        ScopedHandle file;
        if (auto failure = openLockFile(name, file)) return failure;
        if (GetFileType(file.get()) != FILE_TYPE_DISK) return LockFileNotAFileFailure(name, EntryKind::Other);
        FILE_BASIC_INFO information;
        if (!GetFileInformationByHandleEx(file.get(), FileBasicInfo, &information, sizeof information)) {
            return lastFailure(name);
        }
        const EntryKind kind = kindOfAttributes(information.FileAttributes);
        if (kind != EntryKind::File) return LockFileNotAFileFailure(name, kind);

        OVERLAPPED first{};
        if (!LockFileEx(file.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &first)) {
            const DWORD error = GetLastError();
            if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING) return BusyFailure(name);
            Failure failure = systemFailure(static_cast<int>(error), name);
            // What a network share or a file system without byte-range locks answers.
            if (error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION) failure.cause = Cause::NoLocks;
            return failure;
        }
        lock = std::make_unique<ByteLock>(file.release());
        return std::nullopt;
    }

    // Windows redirects the writes of a program without a manifest, such as the game, from the
    // Program Files folders and the Windows folder to %LOCALAPPDATA%\VirtualStore, under the same
    // path without its drive, and from then on lets it read the copy instead of the original.
    std::optional<std::string> virtualStoreCopy(const std::string& name) override {
        const std::wstring game = widen(FullPath("."));
        wchar_t windows[MAX_PATH];
        const UINT windowsLength = GetWindowsDirectoryW(windows, MAX_PATH);
        const std::wstring store = environment(L"LOCALAPPDATA");
        if (game.size() < 3 || game[1] != L':' || store.empty()) return std::nullopt;
        const std::wstring roots[] = {
            environment(L"ProgramFiles"), environment(L"ProgramFiles(x86)"), environment(L"ProgramW6432"),
            windowsLength > 0 && windowsLength < MAX_PATH ? std::wstring(windows, windowsLength) : std::wstring()};
        for (const std::wstring& root : roots) {
            if (inside(game, root)) return narrow(store + L"\\VirtualStore" + game.substr(2) + L"\\" + widen(name));
        }
        return std::nullopt;
    }

    void pause(int milliseconds) override { Sleep(static_cast<DWORD>(milliseconds)); }
};

}  // namespace

FileSystem& realFileSystem() {
    static Win32FileSystem disk;
    return disk;
}

std::string FullPath(const std::string& name) {
    const std::wstring wideName = widen(name);
    const DWORD size = GetFullPathNameW(wideName.c_str(), 0, nullptr, nullptr);
    if (size == 0) return name;
    std::wstring path(size, L'\0');
    const DWORD length = GetFullPathNameW(wideName.c_str(), size, path.data(), nullptr);
    if (length == 0 || length >= size) return name;
    path.resize(length);
    return narrow(path);
}

}  // namespace zark
