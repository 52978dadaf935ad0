#include "switchlock.h"

#include "retry.h"

namespace zark {

std::optional<Failure> LockSwitching(FileSystem& fs, SwitchLock& lock) {
    return Retrying(fs, [&]() -> std::optional<Failure> {
        std::optional<Failure> failure = fs.tryLock(kLockFile, lock.lock_);
        // Another switcher is at work: it is done in a moment, so wait for it like for a file
        // held open.
        if (failure && failure->cause == Cause::Busy) failure->transient = true;
        return failure;
    });
}

}  // namespace zark
