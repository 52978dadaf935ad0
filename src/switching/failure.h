#pragma once

#include "switching/entrykind.h"

#include <cstddef>
#include <string>
#include <vector>

namespace zark {

// What a failure means for the player, and so which advice the error report gives.
enum class Cause {
    Other,             // nothing to advise: the number and description say it all
    InUse,             // another program has the file open (a sharing or lock violation)
    ReadOnlyFile,      // the file itself is marked read-only
    FolderProtected,   // the system refused writing into the game folder
    SourceMissing,     // a rename found no file under the name to move
    NameTaken,         // a rename found its new name already taken
    Busy,              // another program holds the folder's switch lock
    LockFileNotAFile,  // the lock file's name holds a link, a folder, a device or a pipe
    LockFileRefused,   // the lock file is there but may not be written (read-only, another owner)
    NoLocks,           // the game folder's file system offers no locks
    NotGameFolder,     // the launcher was started in a folder that is no game folder
    GameMissing,       // the game folder holds no sun.exe to start
};

// What went wrong in a store access, a rename or a start of a program, in the terms the error
// report shows: the error's number, its description and the file concerned.
struct Failure {
    int number = 0;
    std::string description;
    std::string file;
    Cause cause = Cause::Other;
    // The system refused for the moment only (a file held open by a virus scanner, an indexer,
    // a cloud-sync client): the step is worth trying again shortly.
    bool transient = false;
    // Advice that only the caller can word, such as what a store must hold: the report gives it
    // in place of the cause's.
    std::string advice{};
};

// A rule file that a failed switch could not put back: it now stands under `leftAs`.
struct Stranded {
    std::string file;
    std::string leftAs;
};

// The program's own failures, beside those the system reports. Their numbers are the classic
// runtime error numbers for these cases, which players may already know from other programs.
inline constexpr int kErrorOverflow = 6;
inline constexpr int kErrorTooLong = 59;
inline constexpr int kErrorPastEnd = 62;
inline constexpr int kErrorNotPlainFile = 75;

Failure PastEndFailure(const std::string& file);
Failure OverflowFailure(const std::string& file);
Failure NotPlainFileFailure(const std::string& file);
Failure TooLongFailure(const std::string& file, std::size_t limit);
Failure BusyFailure(const std::string& file);
// Whether the failure is that another program holds the folder's switch lock: no error of the
// system's but a moment to wait, and a sentence for the player. The one test of it.
bool AnotherProgramIsSwitching(const Failure& failure);
// The name holds something other than a plain file.
Failure NotAFileFailure(const std::string& file, EntryKind kind);
// The lock file's name holds something other than a plain file.
Failure LockFileNotAFileFailure(const std::string& file, EntryKind kind);

// The failure for an operating-system error code (GetLastError on Windows, errno
// elsewhere), described in the system's own words.
Failure systemFailure(int code, const std::string& file);

// The failure for the system's last error (GetLastError on Windows, errno elsewhere), read at
// once after the call that failed.
Failure lastFailure(const std::string& file);

}  // namespace zark
