#pragma once

#include "switching/failure.h"
#include "switching/filesystem.h"
#include "switching/modstate.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace zark {

// The lock file of a game folder. It stays in the folder; only the lock on it comes and goes.
inline const std::string kLockFile = "zarkdata.lock";

// One switch at a time per game folder: held from reading the stores until the store write
// or the undo is complete. Every switch takes it, so that two programs cannot both decide on
// the same stores and rename the same files.
class SwitchLock {
public:
    SwitchLock() = default;
    bool held() const { return lock_ != nullptr; }

private:
    friend std::optional<Failure> LockSwitching(FileSystem& disk, SwitchLock& lock);
    friend std::optional<StoresRead> GlanceBetweenSwitches(FileSystem& disk);

    // Whether the lock file that stopped a switch (`failure`) is one the player may have cleared
    // away: a file that may not be written, or a folder. A link, a device or a pipe is the player's
    // to look at.
    bool LockFileClearable(FileSystem& disk, const Failure& failure);

    // Removes a lock file that no switch can use, where that is safe: a plain file, read-only or
    // not, or an empty folder; never a folder with content, never through a link. The next switch
    // creates it anew. A removal that fails keeps the lock's cause, whose advice still holds.
    std::optional<Failure> ClearLockFile(FileSystem& disk, const Failure& lockFailure);
    std::unique_ptr<FileLock> lock_;
};

// Takes the switch lock of the working folder, waiting about two seconds for another program
// to let go of it; after that the failure is Cause::Busy.
std::optional<Failure> LockSwitching(FileSystem& disk, SwitchLock& lock);

// Every switch and repair goes this way: takes the switch lock as LockSwitching does, runs
// `work` with it, then `beforeRelease` while it is still held (the launcher starts its watch of
// the folder afresh there, so that the work's own changes are no news to it), and lets it go.
// The failure to take the lock, if any; the work keeps its own outcome.
std::optional<Failure> UnderSwitchLock(FileSystem& disk, const std::function<void(const SwitchLock&)>& work,
                                       const std::function<void()>& beforeRelease = {});

// Takes the switch lock for a command that only reads the folder (status), waiting as a switch
// waits, so that it sees the folder only between switches. Where no switch could take it either
// (a write-protected folder, a lock file at fault, which `problem` then holds), the reader goes
// on without it; otherwise it fails as a switch would.
std::optional<Failure> LockReading(FileSystem& disk, SwitchLock& lock, std::optional<Failure>& problem);

// For the launcher following other programs' switches: both stores glanced at under the switch
// lock, taken without waiting, so that no switch starts during the read; nothing while another
// program holds it, whose switch ends in a change that calls for a read anew. Where no lock file
// is there, no switch has run yet: the stores are read without one, and none is made.
std::optional<StoresRead> GlanceBetweenSwitches(FileSystem& disk);

// Whether the lock file that stopped a switch (`failure`) is one the player may have cleared
// away: a file that may not be written, or a folder. A link, a device or a pipe is the player's
// to look at.
bool LockFileClearable(FileSystem& disk, const Failure& failure);

// Removes a lock file that no switch can use, where that is safe: a plain file, read-only or
// not, or an empty folder; never a folder with content, never through a link. The next switch
// creates it anew. A removal that fails keeps the lock's cause, whose advice still holds.
std::optional<Failure> ClearLockFile(FileSystem& disk, const Failure& lockFailure);

}  // namespace zark
