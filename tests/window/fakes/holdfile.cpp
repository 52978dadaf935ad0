// Stands in for a program that holds a file of the game folder for a while, as a virus
// scanner, an indexer or a second switcher does:
//   holdfile.exe <file> open|readwrite|lock <milliseconds> <ready file>
// open: no sharing at all; readwrite: shared for reading and writing, not for deletion; lock:
// the first byte locked, as the switch lock does. Once it holds the file it creates the ready
// file, then waits and ends, letting go.
#include <windows.h>

#include <shellapi.h>

#include <cwchar>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments || count != 5) return 2;
    const std::wstring mode = arguments[2];
    DWORD share = 0;
    DWORD disposition = OPEN_EXISTING;
    if (mode == L"readwrite") share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    if (mode == L"lock") {
        share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
        disposition = OPEN_ALWAYS;
    }
    HANDLE file = CreateFileW(arguments[1], GENERIC_READ | GENERIC_WRITE, share, nullptr, disposition,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    OVERLAPPED first{};
    if (mode == L"lock" && !LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &first))
        return 1;

    HANDLE ready = CreateFileW(arguments[4], GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (ready == INVALID_HANDLE_VALUE) return 1;
    CloseHandle(ready);
    Sleep(static_cast<DWORD>(std::wcstoul(arguments[3], nullptr, 10)));
    CloseHandle(file);
    LocalFree(arguments);
    return 0;
}
