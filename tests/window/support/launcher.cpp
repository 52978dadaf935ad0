#include "support/launcher.h"

#include "support/input.h"
#include "support/unixside.h"
#include "support/wait.h"

#include "resources/resource.h"
#include "switching/winstrings.h"

#include <stdexcept>

namespace windowtest {
namespace {

struct Search {
    DWORD processId;
    const wchar_t* className;
    std::vector<HWND> found;
};

BOOL CALLBACK collect(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if ((search.processId != 0 && owner != search.processId) || !IsWindowVisible(window)) return TRUE;
    if (search.className) {
        wchar_t name[64];
        if (!GetClassNameW(window, name, 64) || wcscmp(name, search.className) != 0) return TRUE;
    }
    search.found.push_back(window);
    return TRUE;
}

}  // namespace

std::wstring onDriveZ(const char* linuxPath) {
    std::wstring path = L"Z:" + zark::widen(linuxPath);
    for (wchar_t& c : path) {
        if (c == L'/') c = L'\\';
    }
    return path;
}

std::wstring launcherPath() { return onDriveZ(ZARK_LAUNCHER_FILE); }

std::wstring standInPath(const std::wstring& name) {
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) throw std::runtime_error("GetModuleFileNameW failed");
    std::wstring path(self, length);
    return path.substr(0, path.find_last_of(L'\\') + 1) + name;
}

std::vector<HWND> windowsOf(DWORD processId, const wchar_t* className) {
    Search search{processId, className, {}};
    EnumWindows(collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForWindow(DWORD processId, const wchar_t* className) {
    return eventually([&]() -> HWND {
        const auto found = windowsOf(processId, className);
        return found.empty() ? nullptr : found.front();
    });
}

int runZarkswitch(const std::wstring& folder, const std::wstring& arguments) {
    return runToEnd(onDriveZ(ZARK_SWITCH_FILE), folder, arguments);
}

int runToEnd(const std::wstring& program, const std::wstring& folder, const std::wstring& arguments,
             std::chrono::milliseconds limit) {
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION created{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        folder.c_str(), &startup, &created))
        return -1;
    const Handle process(created.hProcess);
    const Handle thread(created.hThread);
    DWORD status = 0;
    if (WaitForSingleObject(process.get(), static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process.get(), &status))
        return -1;
    return static_cast<int>(status);
}

OutsideProgram::OutsideProgram(HWND window) {
    GetWindowThreadProcessId(window, &id_);
    process_.reset(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id_));
}

OutsideProgram::~OutsideProgram() {
    if (!process_) return;
    TerminateProcess(process_.get(), 1);
    WaitForSingleObject(process_.get(), static_cast<DWORD>(kPatience.count()));
}

Launcher::Launcher(const std::wstring& folder, const std::wstring& program) : folder_(folder) {
    if (!parkMouse()) throw std::runtime_error("cannot move the mouse out of the way");
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION created{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &created))
        throw std::runtime_error("cannot start ZARKLauncher.exe (error " + std::to_string(GetLastError()) + ")");
    process_.reset(created.hProcess);
    thread_.reset(created.hThread);
    id_ = created.dwProcessId;
}

Launcher::~Launcher() {
    if (running()) TerminateProcess(process_.get(), 1);
    WaitForSingleObject(process_.get(), static_cast<DWORD>(kPatience.count()));
}

bool Launcher::running() const { return WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

bool Launcher::exitsWithin(std::chrono::milliseconds limit) const {
    return WaitForSingleObject(process_.get(), static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0;
}

// The launcher is the one process of the host system that works in its game folder and whose
// command line names it; its user and system time are in clock ticks.
std::chrono::milliseconds Launcher::processorTime() const {
    const std::string script = "folder=$(realpath " + unixPath(folder_) +
                               "); for p in /proc/[0-9]*; do [ \"$(readlink $p/cwd)\" = \"$folder\" ] && "
                               "grep -q ZARKLauncher $p/cmdline && awk -v hz=$(getconf CLK_TCK) "
                               "'{ print ($14 + $15) * 1000 / hz }' $p/stat; done";
    return std::chrono::milliseconds(std::stoll(runUnixShell(script)));
}

HWND Launcher::waitForMainWindow() const { return waitForWindow(id_, ZARK_MAIN_CLASS); }

}  // namespace windowtest
