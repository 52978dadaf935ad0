#include "win/systemfolders.h"

#include <windows.h>

namespace zark {

namespace {

std::optional<std::wstring> inFolder(UINT(WINAPI* folderOf)(LPWSTR, UINT), const wchar_t* file) {
    wchar_t folder[MAX_PATH];
    const UINT length = folderOf(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::nullopt;
    return std::wstring(folder, length) + L"\\" + file;
}

}  // namespace

std::optional<std::wstring> inWindowsFolder(const wchar_t* file) { return inFolder(GetWindowsDirectoryW, file); }

std::optional<std::wstring> inSystemFolder(const wchar_t* file) { return inFolder(GetSystemDirectoryW, file); }

}  // namespace zark
