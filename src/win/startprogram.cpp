#include "startprogram.h"

#include "failure.h"
#include "scopedhandle.h"

#include <vector>

namespace zark {

std::optional<Failure> startProgram(const std::wstring& commandLine, WORD show, const std::string& program) {
    // CreateProcessW may write into the command line, so it gets a copy of its own.
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = show;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
        return lastFailure(program);
    }
    const ScopedHandle process(started.hProcess);
    const ScopedHandle thread(started.hThread);
    return std::nullopt;
}

}  // namespace zark
