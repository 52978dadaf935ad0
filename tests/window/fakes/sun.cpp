// Stands in for the game: records how it was started in sun-<process id>.txt beside itself,
// one line of command line, working folder and show state separated by tabs, and ends.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t self[MAX_PATH];
    wchar_t folder[MAX_PATH];
    const DWORD selfLength = GetModuleFileNameW(nullptr, self, MAX_PATH);
    const DWORD folderLength = GetCurrentDirectoryW(MAX_PATH, folder);
    if (selfLength == 0 || selfLength >= MAX_PATH || folderLength == 0 || folderLength >= MAX_PATH) return 1;

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    const std::wstring show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? std::to_wstring(startup.wShowWindow) : L"none";
    const std::wstring line = std::wstring(GetCommandLineW()) + L"\t" + folder + L"\t" + show;

    std::wstring record(self, selfLength);
    record =
        record.substr(0, record.find_last_of(L'\\') + 1) + L"sun-" + std::to_wstring(GetCurrentProcessId()) + L".txt";
    HANDLE file = CreateFileW(record.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, line.data(), static_cast<DWORD>(line.size() * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
    return ok ? 0 : 1;
}
