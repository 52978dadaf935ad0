#include "switching/switchlock.h"

#include "switching/retry.h"

#include <utility>

namespace zark {

std::optional<Failure> LockSwitching(FileSystem& disk, SwitchLock& lock) {
    return Retrying(disk, [&]() -> std::optional<Failure> {
        std::optional<Failure> failure = disk.tryLock(kLockFile, lock.lock_);
        // Another switcher is at work: it is done in a moment, so wait for it like for a file
        // held open.
        if (failure && AnotherProgramIsSwitching(*failure)) failure->transient = true;
        return failure;
    });
}

std::optional<Failure> UnderSwitchLock(FileSystem& disk, const std::function<void(const SwitchLock&)>& work,
                                       const std::function<void()>& beforeRelease) {
    SwitchLock lock;
    if (auto failure = LockSwitching(disk, lock)) return failure;
    work(lock);
    if (beforeRelease) beforeRelease();
    return std::nullopt;
}

std::optional<Failure> LockReading(FileSystem& disk, SwitchLock& lock, std::optional<Failure>& problem) {
    std::optional<Failure> failure = LockSwitching(disk, lock);
    if (!failure) return std::nullopt;
    switch (failure->cause) {
    case Cause::FolderProtected: return std::nullopt;
    case Cause::LockFileNotAFile:
    case Cause::LockFileRefused:
    case Cause::NoLocks: problem = std::move(failure); return std::nullopt;
    default: return failure;
    }
}

std::optional<StoresRead> GlanceBetweenSwitches(FileSystem& disk) {
    SwitchLock lock;
    EntryKind kind = EntryKind::None;
    if (!disk.kindOf(kLockFile, kind) && kind == EntryKind::File) {
        const std::optional<Failure> failure = disk.tryLock(kLockFile, lock.lock_);
        if (failure && AnotherProgramIsSwitching(*failure)) return std::nullopt;
    }
    return GlanceAtStores(disk);
}

bool LockFileClearable(FileSystem& disk, const Failure& failure) {
    if (failure.cause == Cause::LockFileRefused) return true;
    if (failure.cause != Cause::LockFileNotAFile) return false;
    EntryKind kind = EntryKind::None;
    return !disk.kindOf(kLockFile, kind) && kind == EntryKind::Folder;
}

std::optional<Failure> ClearLockFile(FileSystem& disk, const Failure& lockFailure) {
    std::optional<Failure> failure = disk.removeFileOrEmptyFolder(kLockFile);
    if (failure) failure->cause = lockFailure.cause;
    return failure;
}

}  // namespace zark
