#pragma once

#include "switching/failure.h"

#include <optional>
#include <string>
#include <vector>

namespace zark {

// Where zarkswitch writes: standard output and standard error, UTF-8 text with "\n" line ends.
class Console {
public:
    virtual ~Console() = default;
    virtual void out(const std::string& text) = 0;
    virtual void err(const std::string& text) = 0;
};

// Exit statuses, as scripts see them.
enum ExitStatus {
    kExitDone = 0,
    kExitRefused = 1,
    kExitFailed = 2,
    kExitDisagree = 3,
    // The command was carried out, but its output did not reach its destination: a script
    // must not take it for a failure whose files were put back.
    kExitDoneUnreported = 4,
    kExitUsage = 64,
};

// Prints the standard error report on standard error and gives the exit status of a failure.
int Failed(Console& console, const Failure& failure, const std::vector<Stranded>& stranded = {});

// Runs zarkswitch with its arguments (without the program name) and returns the exit status.
int RunZarkSwitch(const std::vector<std::string>& args, Console& console);

// Makes `folder` the working folder: the game folder that the switches work in.
std::optional<Failure> ChangeFolder(const std::string& folder);

}  // namespace zark
