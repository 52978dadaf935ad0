#include "startprogram.h"

#include "failure.h"
#include "scopedhandle.h"
#include "win/comapartment.h"
#include "winstrings.h"

#include <shellapi.h>

#include <vector>

namespace zark {

namespace {

// ERROR_ELEVATION_REQUIRED, which mingw-w64's headers lack.
constexpr DWORD kElevationRequired = 740;

// CreateProcess does not elevate: the shell does, after Windows has asked the player. The shell
// asks for a COM apartment first.
std::optional<Failure> startElevated(const std::wstring& program, WORD show) {
    enterComApartment();
    wchar_t folder[MAX_PATH];
    const DWORD length = GetCurrentDirectoryW(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH) return lastFailure(narrow(program));
    SHELLEXECUTEINFOW request{};
    request.cbSize = sizeof request;
    request.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    request.lpFile = program.c_str();
    request.lpDirectory = folder;
    request.nShow = show;
    if (!ShellExecuteExW(&request)) return lastFailure(narrow(program));
    return std::nullopt;
}

}  // namespace

std::optional<Failure> startProgram(const std::wstring& program, const std::wstring& commandLine, WORD show) {
    // CreateProcessW may write into the command line, so it gets a copy of its own.
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = show;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started)) {
        if (GetLastError() == kElevationRequired) return startElevated(program, show);
        return lastFailure(narrow(program));
    }
    const ScopedHandle process(started.hProcess);
    const ScopedHandle thread(started.hThread);
    return std::nullopt;
}

}  // namespace zark
