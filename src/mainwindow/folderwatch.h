#pragma once

#include <windows.h>

namespace zark {

// Change notifications of the game folder (the working folder): a file created, removed,
// renamed or written, by whichever program. The handle is signalled once something changed;
// rearm() waits for the next change. Where the system cannot watch the folder (some network
// shares), there is no handle and the launcher goes on without.
class FolderWatch {
public:
    FolderWatch();
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // The handle to wait for, or null while nothing is watched.
    HANDLE handle() const { return handle_; }

    // After a change has been seen: watches for the next one, or stops watching if the system
    // can no longer tell.
    void rearm();

private:
    void stop();

    HANDLE handle_ = nullptr;
};

}  // namespace zark
