#include "support/unixside.h"

#include "support/wait.h"

#include <windows.h>

#include "switching/winstrings.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace windowtest {

std::string unixPath(const std::wstring& windowsPath) {
    using UnixName = char*(CDECL*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* name = unixName ? unixName(windowsPath.c_str()) : nullptr;
    if (!name) throw std::runtime_error("no Unix path for " + zark::narrow(windowsPath));
    const std::string path = name;
    HeapFree(GetProcessHeap(), 0, name);
    return path;
}

// Wine starts a program of the host system but cannot wait for it: the command's output is
// renamed into place once it is complete.
std::string runUnixShell(const std::string& command) {
    static std::atomic<int> count{0};
    wchar_t temp[MAX_PATH];
    const DWORD length = GetTempPathW(MAX_PATH, temp);
    if (length == 0 || length >= MAX_PATH) throw std::runtime_error("no folder for the shell's output");
    const std::wstring output = std::wstring(temp, length) + L"unixshell-" + std::to_wstring(GetCurrentProcessId()) +
                                L"-" + std::to_wstring(++count) + L".txt";
    const std::string target = unixPath(output);
    const std::string script = "(" + command + ") >" + target + ".part 2>&1; mv " + target + ".part " + target;
    // One argument for the shell, its quotes escaped as Windows splits a command line.
    std::wstring quoted;
    for (const wchar_t c : zark::widen(script)) quoted += c == L'"' ? std::wstring(L"\\\"") : std::wstring(1, c);
    std::wstring commandLine = L"Z:\\bin\\sh -c \"" + quoted + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION created{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &created))
        throw std::runtime_error("cannot start the host system's shell");
    CloseHandle(created.hProcess);
    CloseHandle(created.hThread);
    if (!eventually([&] { return GetFileAttributesW(output.c_str()) != INVALID_FILE_ATTRIBUTES; }))
        throw std::runtime_error("the shell did not finish: " + command);
    std::ostringstream text;
    text << std::ifstream(std::filesystem::path(output)).rdbuf();
    DeleteFileW(output.c_str());
    return text.str();
}

}  // namespace windowtest
