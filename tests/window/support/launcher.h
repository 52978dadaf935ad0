// The launcher under test: ZARKLauncher.exe started in a game folder, ended with the test.
#pragma once

#include "support/handles.h"
#include "support/wait.h"

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

namespace windowtest {

// A file of the Linux file system, as Wine's drive Z:, which is the Linux root, shows it.
std::wstring onDriveZ(const char* linuxPath);
// The program file under test, as the build made it.
std::wstring launcherPath();
// A file built beside windowtests.exe (the stand-ins for outside programs).
std::wstring standInPath(const std::wstring& name);

// Visible top-level windows of a process (0: of any process), optionally of one window class.
std::vector<HWND> windowsOf(DWORD processId, const wchar_t* className = nullptr);
// The first of them once one has appeared, or nullptr after the usual patience.
HWND waitForWindow(DWORD processId, const wchar_t* className);

// Runs `program` with `arguments` in the folder to its end, waiting at most `limit`; its exit
// status, or -1 if it could not be run or did not end.
int runToEnd(const std::wstring& program, const std::wstring& folder, const std::wstring& arguments,
             std::chrono::milliseconds limit = kPatience);
// Runs zarkswitch.exe, as a launch script does.
int runZarkswitch(const std::wstring& folder, const std::wstring& arguments);

// The process of a window that the launcher made another program open, ended with the test
// so that the game folder can be removed.
class OutsideProgram {
public:
    explicit OutsideProgram(HWND window);
    ~OutsideProgram();
    OutsideProgram(const OutsideProgram&) = delete;
    OutsideProgram& operator=(const OutsideProgram&) = delete;

    DWORD id() const { return id_; }

private:
    DWORD id_ = 0;
    Handle process_;
};

class Launcher {
public:
    // Starts the program (the one the build made, or a copy of it) with `folder` as its working
    // directory, as the game folder is.
    explicit Launcher(const std::wstring& folder, const std::wstring& program = launcherPath());
    // Ends the program if it still runs, and waits until it has.
    ~Launcher();
    Launcher(const Launcher&) = delete;
    Launcher& operator=(const Launcher&) = delete;

    DWORD id() const { return id_; }
    bool running() const;
    bool exitsWithin(std::chrono::milliseconds limit) const;
    // The processor time that the program has used so far, as the host system counts it.
    std::chrono::milliseconds processorTime() const;
    // The visible main window once it has appeared, or nullptr after the usual patience.
    HWND waitForMainWindow() const;

private:
    std::wstring folder_;
    Handle process_;
    Handle thread_;
    DWORD id_ = 0;
};

}  // namespace windowtest
