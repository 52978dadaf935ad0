#include "folderwatch.h"

namespace zark {

FolderWatch::FolderWatch() {
    wchar_t folder[MAX_PATH];
    const DWORD length = GetCurrentDirectoryW(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH) return;
    // A store is replaced by renaming a new file over it, or written in place by an editor.
    const HANDLE watch = FindFirstChangeNotificationW(
        folder, FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE);
    if (watch != INVALID_HANDLE_VALUE) handle_ = watch;
}

FolderWatch::~FolderWatch() { stop(); }

void FolderWatch::rearm() {
    if (handle_ != nullptr && !FindNextChangeNotification(handle_)) stop();
}

void FolderWatch::stop() {
    if (handle_ != nullptr) FindCloseChangeNotification(handle_);
    handle_ = nullptr;
}

}  // namespace zark
