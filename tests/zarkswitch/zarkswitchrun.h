// Running the real zarkswitch on a real game folder, as scripts do.
#pragma once

#include "gamefolder.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zark::test {

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

// The program the tests run. Run as root, the tests also run it as the user nobody, who may not
// reach the build folder (it may lie inside a folder that only its owner may enter): they run
// a copy in the temporary folder, removed at exit.
inline std::string reachableProgram() {
    if (::geteuid() != 0) return ZARKSWITCH;
    static const std::string copy =
        std::filesystem::temp_directory_path() / ("zarkswitch." + std::to_string(::getpid()));
    std::filesystem::copy_file(ZARKSWITCH, copy, std::filesystem::copy_options::overwrite_existing);
    std::filesystem::permissions(copy, std::filesystem::perms::owner_all | std::filesystem::perms::group_read |
                                           std::filesystem::perms::group_exec | std::filesystem::perms::others_read |
                                           std::filesystem::perms::others_exec);
    std::atexit([] { std::remove(copy.c_str()); });
    return copy;
}

inline const std::string kZarkswitch = reachableProgram();

inline const std::string kBusy =
    "zarkswitch: Another program is switching ZARK in this folder. Try again once it has finished.\n";

// Reads and removes a capture file that lies outside the game folder.
inline std::string takeCapture(const std::string& path) {
    std::string bytes = fileBytes(path).value_or("<no capture>");
    std::remove(path.c_str());
    return bytes;
}

// Runs zarkswitch in the working folder with `args`; its standard output goes to `output`
// when one is given (and is then not captured). `prepare` runs in the child just before
// zarkswitch starts, to hand it streams other than files.
inline Result zarkswitch(const std::vector<std::string>& args, const std::string& output = {},
                         void (*prepare)() = nullptr) {
    const std::string out = std::filesystem::temp_directory_path() / ("zarkswitch-out." + std::to_string(::getpid()));
    const std::string err = std::filesystem::temp_directory_path() / ("zarkswitch-err." + std::to_string(::getpid()));
    std::vector<char*> argv{const_cast<char*>(kZarkswitch.c_str())};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    const pid_t child = ::fork();
    if (child == 0) {
        if (!std::freopen((output.empty() ? out : output).c_str(), "w", stdout) ||
            !std::freopen(err.c_str(), "w", stderr)) {
            ::_exit(126);
        }
        if (prepare) prepare();
        ::execv(kZarkswitch.c_str(), argv.data());
        ::_exit(127);
    }
    Result run;
    int wstatus = 0;
    if (child > 0 && ::waitpid(child, &wstatus, 0) == child) {
        run.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
    }
    run.out = takeCapture(out);
    run.err = takeCapture(err);
    return run;
}

}  // namespace zark::test
