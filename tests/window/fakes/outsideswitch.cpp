// Stands in for a program that switches the base game's variant from outside the launcher, as a
// script or an editor would: without the switch lock and without trying again when the system
// refuses a step. In the current folder, from both variants inactive:
//   outsideswitch.exe <times> <milliseconds between> switch|store
// switch: each time, renames zarkrules.ini and zarkart.ini to the other names, then replaces
// zarkdata.dat by renaming a new file over it; store: only replaces zarkdata.dat, by turns with
// 1 and 2. Exits with the number of steps that the system refused.
#include <windows.h>

#include <shellapi.h>

#include <cwchar>
#include <string>

namespace {

bool replaceStore(const char* value) {
    const wchar_t* fresh = L"zarkdata.dat.new";
    HANDLE file = CreateFileW(fresh, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const std::string line = std::string(value) + "\r\n";
    DWORD written = 0;
    const BOOL ok = WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
    if (ok && MoveFileExW(fresh, L"zarkdata.dat", MOVEFILE_REPLACE_EXISTING)) return true;
    DeleteFileW(fresh);
    return false;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments || count != 4) return 255;
    const long times = std::wcstol(arguments[1], nullptr, 10);
    const DWORD pause = std::wcstoul(arguments[2], nullptr, 10);
    const bool renames = std::wstring(arguments[3]) == L"switch";
    LocalFree(arguments);

    int refused = 0;
    for (long i = 0; i < times; ++i) {
        const bool activate = i % 2 == 0;
        if (renames) {
            for (const auto& [zark, game] : {std::pair{L"zarkrules.ini", L"rules.ini"}, {L"zarkart.ini", L"art.ini"}}) {
                if (!MoveFileW(activate ? zark : game, activate ? game : zark)) ++refused;
            }
        }
        if (!replaceStore(activate ? "1" : "2")) ++refused;
        Sleep(pause);
    }
    return refused;
}
