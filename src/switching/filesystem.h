#pragma once

#include "switching/entrykind.h"
#include "switching/failure.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zark {

// Holds an exclusive lock on a lock file while it lives. The system lets go of it when its
// process ends, however it ends, so a killed program never blocks the next one.
class FileLock {
public:
    virtual ~FileLock() = default;
};

// The few operating-system calls the switching logic makes. Everything goes through this
// seam so that tests can fail any single step. Names are relative to the working folder,
// in UTF-8. A failure that the system means as passing is marked transient; the core decides
// whether to try again.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Reads a plain file whole, sharing it for reading, writing and deletion so that nobody
    // else is blocked by the read. Fails if it does not exist, cannot be read, is no plain
    // file (a folder, a device, a pipe), or holds more than `limit` bytes.
    virtual std::optional<Failure> readFile(const std::string& name, std::size_t limit, std::string& content) = 0;

    // Tells what the name is in the folder, without following a link: a rename moves a link
    // itself. Fails only when the system cannot tell, for example when the folder may not be
    // read.
    virtual std::optional<Failure> kindOf(const std::string& name, EntryKind& kind) = 0;

    // The names of everything in the working folder, as the folder spells them.
    virtual std::optional<Failure> listFolder(std::vector<std::string>& names) = 0;

    // Gives the file `from` the name `to`. Never overwrites: fails if `to` exists, and is
    // atomic about it (no test-then-rename window).
    virtual std::optional<Failure> renameNoReplace(const std::string& from, const std::string& to) = 0;

    // Writes `content` to a new temporary file beside `name`, flushed to disk and closed, and
    // returns that file's name: `name`.<process>.<count>.tmp.
    virtual std::optional<Failure> writeTemporary(const std::string& name, const std::string& content,
                                                  std::string& temporary) = 0;

    // Puts the temporary file in the place of `name` in one step: `name` holds either its
    // old content or the new one, never a mixture or nothing.
    virtual std::optional<Failure> replaceWith(const std::string& temporary, const std::string& name) = 0;

    virtual std::optional<Failure> removeFile(const std::string& name) = 0;

    // Removes `name` itself where it is a plain file, read-only or not, or an empty folder; never
    // what a link leads to. Fails for a folder with content, and for a link, a device or a pipe
    // under the name. A read-only file that cannot be removed keeps its mark.
    virtual std::optional<Failure> removeFileOrEmptyFolder(const std::string& name) = 0;

    // Locks the first byte of the lock file `name` (the same byte under Wine and natively),
    // creating the file if need be, never through a link. Fails at once with Cause::Busy while
    // another process holds it, LockFileNotAFile for anything but a plain file, LockFileRefused
    // for a file that may not be written, and NoLocks where the file system has none.
    virtual std::optional<Failure> tryLock(const std::string& name, std::unique_ptr<FileLock>& lock) = 0;

    // The path of the copy of `name` that Windows keeps in the player's VirtualStore for old
    // programs that may not write in the working folder, where the folder is one that Windows
    // redirects them from (under Program Files or the Windows folder), whether or not the copy
    // is there; none elsewhere, and on systems without one.
    virtual std::optional<std::string> virtualStoreCopy(const std::string& name) = 0;

    // Waits before a step is tried again.
    virtual void pause(int milliseconds) = 0;
};

// The real file system of the machine the program runs on.
FileSystem& realFileSystem();

// The full path of `name` (a name in the working folder, or a path), as the system resolves it,
// for reports that a player must be able to find the file by.
std::string FullPath(const std::string& name);

}  // namespace zark
