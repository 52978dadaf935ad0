// The FileSystem seam on POSIX systems (Linux first): where the core and its tests run
// natively.
#include "switching/realfilesystem_posix.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <utility>

namespace zark {

namespace {

// The failure of a step that writes into the folder: a refusal there is the folder's.
Failure writeFailure(int code, const std::string& file) {
    Failure failure = systemFailure(code, file);
    if (code == EACCES || code == EPERM || code == EROFS) failure.cause = Cause::FolderProtected;
    return failure;
}

// A rename's failure names the file it concerns: the new name when that is taken, else the old.
Failure renameFailure(int code, const std::string& from, const std::string& to) {
    Failure failure = writeFailure(code, code == EEXIST ? to : from);
    if (code == EEXIST) failure.cause = Cause::NameTaken;
    if (code == ENOENT) failure.cause = Cause::SourceMissing;
    return failure;
}

// Owns a file descriptor; close() reports the result for writes that must reach the disk.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes the descriptor held, if any, and takes `fd` instead.
    void reset(int fd) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

// A record lock dies with its process: the system drops it when the descriptor closes.
class RecordLock final : public FileLock {
public:
    explicit RecordLock(FileDescriptor fd) : fd_(std::move(fd)) {}

private:
    FileDescriptor fd_;
};

bool writeAll(int fd, const std::string& content) {
    const char* data = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

EntryKind kindOfMode(mode_t mode) {
    if (S_ISREG(mode)) return EntryKind::File;
    if (S_ISDIR(mode)) return EntryKind::Folder;
    if (S_ISLNK(mode)) return EntryKind::Link;
    return EntryKind::Other;
}

std::string folderOf(const std::string& name) {
    const auto slash = name.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : name.substr(0, slash);
}

// The permissions a newly created file would get, or those of the file being replaced, so
// that replacing does not narrow them.
mode_t modeFor(const std::string& name) {
    struct stat st {};
    if (::stat(name.c_str(), &st) == 0) return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// An existing lock file that may not be opened for writing: its own fault (read-only, left by
// another user) where the folder may be written, else the folder's.
Failure refusedLockFile(int code, const std::string& name) {
    Failure failure = writeFailure(code, name);
    if (failure.cause == Cause::FolderProtected && code != EROFS &&
        ::faccessat(AT_FDCWD, folderOf(name).c_str(), W_OK, AT_EACCESS) == 0) {
        failure.cause = Cause::LockFileRefused;
    }
    return failure;
}

// Opens the lock file for writing, creating it if it is not there, and never through a link:
// what lies under its name must be a plain file, and a device or a pipe is not even opened.
std::optional<Failure> openLockFile(const std::string& name, FileDescriptor& fd) {
    constexpr int kFlags = O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    int code = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        struct stat st {};
        const bool exists = ::lstat(name.c_str(), &st) == 0;
        if (!exists && errno != ENOENT) return lastFailure(name);
        if (exists && !S_ISREG(st.st_mode)) return LockFileNotAFileFailure(name, kindOfMode(st.st_mode));
        fd.reset(exists ? ::open(name.c_str(), kFlags) : ::open(name.c_str(), kFlags | O_CREAT | O_EXCL, 0666));
        if (!fd.valid()) {
            code = errno;
            // Another program deleted or created it since the look: look again.
            if ((exists && code == ENOENT) || (!exists && code == EEXIST)) continue;
            if (code == ELOOP) return LockFileNotAFileFailure(name, EntryKind::Link);
            if (code == EISDIR) return LockFileNotAFileFailure(name, EntryKind::Folder);
            return exists ? refusedLockFile(code, name) : writeFailure(code, name);
        }
        // Something else may have taken the name between the look and the opening.
        if (::fstat(fd.get(), &st) != 0) return lastFailure(name);
        if (!S_ISREG(st.st_mode)) return LockFileNotAFileFailure(name, kindOfMode(st.st_mode));
        return std::nullopt;
    }
    // The name keeps coming and going: worth another try in a moment.
    Failure failure = systemFailure(code, name);
    failure.transient = true;
    return failure;
}

class PosixFileSystem final : public FileSystem {
public:
    std::optional<Failure> readFile(const std::string& name, std::size_t limit, std::string& content) override {
        // Non-blocking, so that opening a pipe does not wait for a writer; it is refused below.
        FileDescriptor fd(::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
        if (!fd.valid()) return lastFailure(name);
        struct stat st {};
        if (::fstat(fd.get(), &st) != 0) return lastFailure(name);
        if (!S_ISREG(st.st_mode)) return NotPlainFileFailure(name);
        if (static_cast<unsigned long long>(st.st_size) > limit) return TooLongFailure(name, limit);

        // A file that grows while it is read still ends at the limit.
        std::string result;
        char buffer[4096];
        while (result.size() <= limit) {
            const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
            if (got < 0) {
                if (errno == EINTR) continue;
                return lastFailure(name);
            }
            if (got == 0) break;
            result.append(buffer, static_cast<std::size_t>(got));
        }
        if (result.size() > limit) return TooLongFailure(name, limit);
        content = std::move(result);
        return std::nullopt;
    }

    std::optional<Failure> kindOf(const std::string& name, EntryKind& kind) override {
        struct stat st {};
        if (::lstat(name.c_str(), &st) == 0) {
            kind = kindOfMode(st.st_mode);
            return std::nullopt;
        }
        if (errno != ENOENT && errno != ENOTDIR) return lastFailure(name);
        kind = EntryKind::None;
        return std::nullopt;
    }

    std::optional<Failure> listFolder(std::vector<std::string>& names) override {
        DIR* folder = ::opendir(".");
        if (folder == nullptr) return lastFailure(".");
        errno = 0;
        while (const dirent* entry = ::readdir(folder)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") names.push_back(name);
        }
        const int code = errno;
        ::closedir(folder);
        if (code != 0) return systemFailure(code, ".");
        return std::nullopt;
    }

    std::optional<Failure> renameNoReplace(const std::string& from, const std::string& to) override {
#if defined(__linux__) && defined(RENAME_NOREPLACE)
        if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
            return std::nullopt;
        }
        const int code = errno;
        // Only a file system that does not know the flag gets the fallback.
        if (code != EINVAL && code != ENOSYS && code != EOPNOTSUPP) return renameFailure(code, from, to);
#endif
        return renameByLink(from, to);
    }

    std::optional<Failure> writeTemporary(const std::string& name, const std::string& content,
                                          std::string& temporary) override {
        static unsigned counter = 0;
        const std::string stem = name + "." + std::to_string(::getpid()) + ".";
        int fd = -1;
        for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
            temporary = stem + std::to_string(++counter) + ".tmp";
            fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            if (fd < 0 && errno != EEXIST) break;
        }
        FileDescriptor file(fd);
        if (!file.valid()) return writeFailure(errno, name);
        int code = 0;
        if (::fchmod(file.get(), modeFor(name)) != 0 || !writeAll(file.get(), content) || ::fsync(file.get()) != 0) {
            code = errno;
        }
        if (!file.close() && code == 0) code = errno;
        if (code != 0) {
            ::unlink(temporary.c_str());
            return writeFailure(code, name);
        }
        return std::nullopt;
    }

    std::optional<Failure> replaceWith(const std::string& temporary, const std::string& name) override {
        if (::rename(temporary.c_str(), name.c_str()) != 0) return writeFailure(errno, name);
        // Makes the rename itself durable. The new content is already in place, so a failure
        // here is not reported: reporting it would make a switch undo its renames while the
        // store holds the new value.
        FileDescriptor folder(::open(folderOf(name).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (folder.valid()) ::fsync(folder.get());
        return std::nullopt;
    }

    std::optional<Failure> removeFile(const std::string& name) override {
        if (::unlink(name.c_str()) != 0) return writeFailure(errno, name);
        return std::nullopt;
    }

    // Neither call follows a link: rmdir refuses one, unlink removes the link itself. A file's
    // read-only mode does not keep it here; the folder's permissions decide.
    std::optional<Failure> removeFileOrEmptyFolder(const std::string& name) override {
        struct stat st {};
        if (::lstat(name.c_str(), &st) != 0) return lastFailure(name);
        const EntryKind kind = kindOfMode(st.st_mode);
        if (kind != EntryKind::File && kind != EntryKind::Folder) return NotAFileFailure(name, kind);
        const int removed = kind == EntryKind::Folder ? ::rmdir(name.c_str()) : ::unlink(name.c_str());
        if (removed != 0) return writeFailure(errno, name);
        return std::nullopt;
    }

    std::optional<Failure> tryLock(const std::string& name, std::unique_ptr<FileLock>& lock) override {
        FileDescriptor fd(-1);
        if (auto failure = openLockFile(name, fd)) return failure;
        // A record lock on byte 0: Wine keeps its programs' LockFileEx locks as record locks
        // too, so a launcher under Wine and this program exclude each other. Linux's locks of
        // the open file (OFD) also exclude two holders within one process, and conflict with
        // the classic ones that Wine takes.
        struct flock range {};
        range.l_type = F_WRLCK;
        range.l_whence = SEEK_SET;
        range.l_start = 0;
        range.l_len = 1;
#ifdef F_OFD_SETLK
        const int command = F_OFD_SETLK;
#else
        const int command = F_SETLK;
#endif
        if (::fcntl(fd.get(), command, &range) != 0) {
            const int code = errno;
            if (code == EACCES || code == EAGAIN) return BusyFailure(name);
            Failure failure = systemFailure(code, name);
            if (code == ENOLCK) failure.cause = Cause::NoLocks;
            return failure;
        }
        lock = std::make_unique<RecordLock>(std::move(fd));
        return std::nullopt;
    }

    std::optional<std::string> virtualStoreCopy(const std::string&) override { return std::nullopt; }

    void pause(int milliseconds) override { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }
};

}  // namespace

std::optional<Failure> renameByLink(const std::string& from, const std::string& to) {
    // link() fails with EEXIST if `to` exists, atomically.
    if (::link(from.c_str(), to.c_str()) != 0) return renameFailure(errno, from, to);
    if (::unlink(from.c_str()) != 0) {
        const int code = errno;
        ::unlink(to.c_str());  // Back to one name, the old one.
        return writeFailure(code, from);
    }
    return std::nullopt;
}

FileSystem& realFileSystem() {
    static PosixFileSystem disk;
    return disk;
}

std::string FullPath(const std::string& name) {
    if (!name.empty() && name.front() == '/') return name;
    char* folder = ::getcwd(nullptr, 0);
    if (folder == nullptr) return name;
    std::string path = folder;
    std::free(folder);
    return path + (path.back() == '/' ? "" : "/") + name;
}

}  // namespace zark
