#pragma once

#include "failure.h"

#include <optional>
#include <string>

namespace zark {

// The few operating-system calls the switching logic makes. Everything goes through this
// seam so that tests can fail any single step. Names are relative to the working folder,
// in UTF-8.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Reads the whole file. Fails if it does not exist or cannot be read.
    virtual std::optional<Failure> readFile(const std::string& name, std::string& content) = 0;

    // Tells whether a file (or anything else) of that name is there. Fails only when the
    // system cannot tell, for example when the folder may not be read.
    virtual std::optional<Failure> fileExists(const std::string& name, bool& exists) = 0;

    // Gives the file `from` the name `to`. Never overwrites: fails if `to` exists, and is
    // atomic about it (no test-then-rename window).
    virtual std::optional<Failure> renameNoReplace(const std::string& from, const std::string& to) = 0;

    // Replaces the file's whole content, or leaves the old content intact on failure:
    // writes a temporary file beside it, flushes it to disk and renames it over the file.
    virtual std::optional<Failure> replaceAtomically(const std::string& name, const std::string& content) = 0;
};

// The real file system of the machine the program runs on.
FileSystem& realFileSystem();

}  // namespace zark

namespace zark {

// The failure for an operating-system error code (GetLastError on Windows, errno
// elsewhere), described in the system's own words.
Failure systemFailure(int code, const std::string& file);

// The failure for the system's last error (GetLastError on Windows, errno elsewhere), read at
// once after the call that failed.
Failure lastFailure(const std::string& file);

}  // namespace zark
