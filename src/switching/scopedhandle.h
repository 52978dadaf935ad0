// The one owner of a Win32 kernel handle (file, process, thread), for the core's file system,
// the programs and their tests alike: it needs nothing beyond <windows.h>.
#pragma once

#include <windows.h>

namespace zark {

// Closes its handle when it goes out of scope. Null and INVALID_HANDLE_VALUE both mean none.
// It cannot be copied: a copy would close twice.
class ScopedHandle {
public:
    explicit ScopedHandle(HANDLE handle = nullptr) : handle_(handle) {}
    ~ScopedHandle() { reset(); }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;

    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    explicit operator bool() const { return valid(); }

    // Closes the handle held, if any, and takes `handle` instead.
    void reset(HANDLE handle = nullptr) {
        if (valid()) CloseHandle(handle_);
        handle_ = handle;
    }

    // Gives the handle up to the caller, who then owns it.
    HANDLE release() {
        const HANDLE handle = handle_;
        handle_ = nullptr;
        return handle;
    }

    // Closes the handle now and tells whether that worked, for writes that must reach the disk.
    bool close() {
        const HANDLE handle = handle_;
        handle_ = nullptr;
        return CloseHandle(handle) != 0;
    }

private:
    HANDLE handle_;
};

}  // namespace zark
