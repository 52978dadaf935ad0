// Running the real zarkswitch on a real game folder, as scripts do.
#pragma once

#include "testfolder.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

namespace zark::test {

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

// Reads and removes a capture file that lies outside the game folder.
inline std::string takeCapture(const std::string& path) {
    std::string bytes = fileBytes(path).value_or("<no capture>");
    std::remove(path.c_str());
    return bytes;
}

// Runs zarkswitch in the working folder with `args`; its standard output goes to `output`
// when one is given (and is then not captured).
inline Result zarkswitch(const std::vector<std::string>& args, const std::string& output = {}) {
    const std::string out = std::filesystem::temp_directory_path() / ("zarkswitch-out." + std::to_string(::getpid()));
    const std::string err = std::filesystem::temp_directory_path() / ("zarkswitch-err." + std::to_string(::getpid()));
    std::vector<char*> argv{const_cast<char*>(ZARKSWITCH)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    const pid_t child = ::fork();
    if (child == 0) {
        if (!std::freopen((output.empty() ? out : output).c_str(), "w", stdout) ||
            !std::freopen(err.c_str(), "w", stderr)) {
            ::_exit(126);
        }
        ::execv(ZARKSWITCH, argv.data());
        ::_exit(127);
    }
    Result run;
    int wstatus = 0;
    if (child > 0 && ::waitpid(child, &wstatus, 0) == child && WIFEXITED(wstatus)) run.status = WEXITSTATUS(wstatus);
    run.out = takeCapture(out);
    run.err = takeCapture(err);
    return run;
}

// A game folder: the two stores and, present or not, each of the six rule-file names; each
// rule file holds a line naming it, so that a file keeps its identity across renames.
inline void layOut(const std::string& base, const std::string& fs, const std::vector<std::string>& ruleFiles) {
    if (!base.empty()) writeFile("zarkdata.dat", base);
    if (!fs.empty()) writeFile("zarkdata2.dat", fs);
    for (const std::string& name : ruleFiles) writeFile(name, "; " + name + "\r\n");
}

inline const std::vector<std::string> kAllInactive{"zarkrules.ini", "zarkart.ini", "zarkfirestrm.ini"};
inline const std::vector<std::string> kBaseActive{"rules.ini", "art.ini", "zarkfirestrm.ini"};
inline const std::vector<std::string> kFsActive{"rules.ini", "art.ini", "firestrm.ini"};

}  // namespace zark::test
