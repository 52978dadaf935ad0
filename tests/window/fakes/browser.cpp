// Stands in for the web browser: registered as the handler of http addresses with the command
// line `browser.exe <record file> "%1"`, it writes its working folder and the address, separated
// by a tab, to the record file and ends.
#include <windows.h>

#include <shellapi.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments || count != 3) return 1;
    wchar_t folder[MAX_PATH];
    const DWORD folderLength = GetCurrentDirectoryW(MAX_PATH, folder);
    if (folderLength == 0 || folderLength >= MAX_PATH) return 1;
    const std::wstring line = std::wstring(folder) + L"\t" + arguments[2];

    HANDLE file = CreateFileW(arguments[1], GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    LocalFree(arguments);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, line.data(), static_cast<DWORD>(line.size() * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
    return ok ? 0 : 1;
}
