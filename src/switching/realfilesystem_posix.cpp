// The FileSystem seam on POSIX systems (Linux first): where the core and its tests run
// natively.
#include "realfilesystem_posix.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zark {

Failure systemFailure(int code, const std::string& file) {
    Failure failure;
    failure.number = code;
    failure.description = std::strerror(code);
    failure.file = file;
    failure.accessDenied = code == EACCES || code == EPERM || code == EROFS;
    return failure;
}

Failure lastFailure(const std::string& file) { return systemFailure(errno, file); }

namespace {

// Owns a file descriptor; close() reports the result for writes that must reach the disk.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
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

std::string folderOf(const std::string& name) {
    const auto slash = name.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : name.substr(0, slash);
}

// The permissions a newly created file would get, or those of the file being replaced, so
// that replacing does not narrow them to mkstemp's 0600.
mode_t modeFor(const std::string& name) {
    struct stat st {};
    if (::stat(name.c_str(), &st) == 0) return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

class PosixFileSystem final : public FileSystem {
public:
    std::optional<Failure> readFile(const std::string& name, std::string& content) override {
        FileDescriptor fd(::open(name.c_str(), O_RDONLY | O_CLOEXEC));
        if (!fd.valid()) return systemFailure(errno, name);
        std::string result;
        char buffer[4096];
        for (;;) {
            const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
            if (got < 0) {
                if (errno == EINTR) continue;
                return systemFailure(errno, name);
            }
            if (got == 0) break;
            result.append(buffer, static_cast<std::size_t>(got));
        }
        content = std::move(result);
        return std::nullopt;
    }

    std::optional<Failure> fileExists(const std::string& name, bool& exists) override {
        struct stat st {};
        // lstat: a rename moves a symbolic link itself, so the link is what counts.
        if (::lstat(name.c_str(), &st) == 0) {
            exists = true;
            return std::nullopt;
        }
        if (errno != ENOENT && errno != ENOTDIR) return systemFailure(errno, name);
        exists = false;
        return std::nullopt;
    }

    std::optional<Failure> renameNoReplace(const std::string& from, const std::string& to) override {
#if defined(__linux__) && defined(RENAME_NOREPLACE)
        if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
            return std::nullopt;
        }
        const int code = errno;
        // Only a file system that does not know the flag gets the fallback.
        if (code != EINVAL && code != ENOSYS && code != EOPNOTSUPP) {
            return systemFailure(code, code == EEXIST ? to : from);
        }
#endif
        return renameByLink(from, to);
    }

    std::optional<Failure> replaceAtomically(const std::string& name, const std::string& content) override {
        std::vector<char> temp(name.begin(), name.end());
        const std::string suffix = ".XXXXXX";
        temp.insert(temp.end(), suffix.begin(), suffix.end());
        temp.push_back('\0');

        FileDescriptor fd(::mkstemp(temp.data()));
        if (!fd.valid()) return systemFailure(errno, name);
        int code = 0;
        if (::fchmod(fd.get(), modeFor(name)) != 0 || !writeAll(fd.get(), content) || ::fsync(fd.get()) != 0) {
            code = errno;
        }
        if (!fd.close() && code == 0) code = errno;
        if (code == 0 && ::rename(temp.data(), name.c_str()) != 0) code = errno;
        if (code != 0) {
            ::unlink(temp.data());
            return systemFailure(code, name);
        }
        // Makes the rename itself durable. The new content is already in place, so a failure
        // here is not reported: reporting it would make a switch undo its renames while the
        // store holds the new value.
        FileDescriptor folder(::open(folderOf(name).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (folder.valid()) ::fsync(folder.get());
        return std::nullopt;
    }
};

}  // namespace

std::optional<Failure> renameByLink(const std::string& from, const std::string& to) {
    // link() fails with EEXIST if `to` exists, atomically.
    if (::link(from.c_str(), to.c_str()) != 0) {
        const int code = errno;
        return systemFailure(code, code == EEXIST ? to : from);
    }
    if (::unlink(from.c_str()) != 0) {
        const int code = errno;
        ::unlink(to.c_str());  // Back to one name, the old one.
        return systemFailure(code, from);
    }
    return std::nullopt;
}

FileSystem& realFileSystem() {
    static PosixFileSystem fs;
    return fs;
}

}  // namespace zark
