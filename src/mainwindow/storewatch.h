#pragma once

#include <windows.h>

namespace zark {

// Changes of the game folder, by whichever program, turned into reads of the stores: a read waits
// until the folder has been quiet for a moment, so that a switch's burst of changes costs one
// read, and a folder that keeps changing is read at most once a second. A folder that the system
// cannot watch (some shares, a folder that is gone) is tried again at the next start().
class StoreWatch {
public:
    StoreWatch() = default;
    ~StoreWatch();
    StoreWatch(const StoreWatch&) = delete;
    StoreWatch& operator=(const StoreWatch&) = delete;

    // Watches the folder afresh: changes seen before are forgotten, and a folder that was
    // removed and put back, or a drive that came back, is watched again.
    void start();

    // The handle to wait for, signalled once something changed, or null while nothing is watched.
    HANDLE handle() const { return handle_; }

    // How long the message loop may wait for input before a read is due, in milliseconds
    // (INFINITE while none is).
    DWORD patience() const;

    // The handle was signalled: watches for the next change and plans a read.
    void changed();

    // True once a planned read is due; the plan is then done with.
    bool readDue();

    // The read could not be made now (another program is switching): it is tried again in a
    // moment.
    void readLater();

private:
    void stop();

    HANDLE handle_ = nullptr;
    bool planned_ = false;
    DWORD firstChange_ = 0;  // GetTickCount of the first change since the last read
    DWORD lastChange_ = 0;   // and of the latest
};

}  // namespace zark
