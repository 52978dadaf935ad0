// Stands in for a DLL that someone has put in the game folder under the name of one that
// Windows loads for the launcher: once loaded into a process, it leaves <its own path>.loaded
// beside itself. It does nothing else, so that a load shows and nothing more happens.
#include <windows.h>

#include <string>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return TRUE;
    const std::wstring marker = std::wstring(path, length) + L".loaded";
    const HANDLE file =
        CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return TRUE;
}
