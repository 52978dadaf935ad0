#pragma once

#include "failure.h"
#include "filesystem.h"

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
    friend std::optional<Failure> LockSwitching(FileSystem& fs, SwitchLock& lock);
    std::unique_ptr<FileLock> lock_;
};

// Takes the switch lock of the working folder, waiting about two seconds for another program
// to let go of it; after that the failure is Cause::Busy.
std::optional<Failure> LockSwitching(FileSystem& fs, SwitchLock& lock);

}  // namespace zark
