#include "mainwindow/storewatch.h"

namespace zark {

namespace {

// The quiet that ends a burst of changes, and the longest a read waits for one.
constexpr DWORD kQuietMs = 100;
constexpr DWORD kLongestWaitMs = 1000;

}  // namespace

StoreWatch::~StoreWatch() { stop(); }

// A store is replaced by renaming a new file over it, or written in place by an editor.
void StoreWatch::start() {
    stop();
    const HANDLE watch = FindFirstChangeNotificationW(
        L".", FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE);
    if (watch != INVALID_HANDLE_VALUE) handle_ = watch;
    planned_ = false;
}

void StoreWatch::stop() {
    if (handle_ != nullptr) FindCloseChangeNotification(handle_);
    handle_ = nullptr;
}

DWORD StoreWatch::patience() const {
    if (!planned_) return INFINITE;
    // Tick counts wrap around; their differences do not.
    const DWORD now = GetTickCount();
    const DWORD quiet = now - lastChange_;
    const DWORD waited = now - firstChange_;
    if (quiet >= kQuietMs || waited >= kLongestWaitMs) return 0;
    const DWORD untilQuiet = kQuietMs - quiet;
    const DWORD untilLongest = kLongestWaitMs - waited;
    return untilQuiet < untilLongest ? untilQuiet : untilLongest;
}

// Watching again before the read: a change made while the stores are read is seen next time
// round, and none is missed. A watch that the system can no longer keep ends.
void StoreWatch::changed() {
    if (handle_ != nullptr && !FindNextChangeNotification(handle_)) stop();
    lastChange_ = GetTickCount();
    if (!planned_) firstChange_ = lastChange_;
    planned_ = true;
}

bool StoreWatch::readDue() {
    if (!planned_ || patience() != 0) return false;
    planned_ = false;
    return true;
}

void StoreWatch::readLater() {
    lastChange_ = GetTickCount();
    firstChange_ = lastChange_;
    planned_ = true;
}

}  // namespace zark
