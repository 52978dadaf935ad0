#include "win/startprogram.h"

#include "switching/failure.h"
#include "switching/scopedhandle.h"
#include "switching/winstrings.h"
#include "win/comapartment.h"
#include "win/dlllookup.h"

#include <shellapi.h>

#include <vector>

namespace zark {

namespace {

// ERROR_ELEVATION_REQUIRED, which mingw-w64's headers lack.
constexpr DWORD kElevationRequired = 740;

// CreateProcess does not elevate: the shell does, after Windows has asked the player, in front
// of the owner window rather than behind a flashing taskbar button. The shell asks for a COM
// apartment first. Without a folder the shell starts the program in the working folder.
std::optional<Failure> startElevated(HWND owner, const std::wstring& program, WORD show) {
    static const auto shellExecute = systemFunction<decltype(&ShellExecuteExW)>(L"shell32.dll", "ShellExecuteExW");
    if (shellExecute == nullptr) return lastFailure(narrow(program));
    enterComApartment();
    SHELLEXECUTEINFOW request{};
    request.cbSize = sizeof request;
    request.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    request.hwnd = owner;
    request.lpFile = program.c_str();
    request.nShow = show;
    if (shellExecute(&request) || GetLastError() == ERROR_CANCELLED) return std::nullopt;
    return lastFailure(narrow(program));
}

}  // namespace

std::optional<Failure> startProgram(HWND owner, const std::wstring& program, const std::wstring& commandLine,
                                    WORD show) {
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
        if (GetLastError() == kElevationRequired) return startElevated(owner, program, show);
        return lastFailure(narrow(program));
    }
    const ScopedHandle process(started.hProcess);
    const ScopedHandle thread(started.hThread);
    return std::nullopt;
}

}  // namespace zark
