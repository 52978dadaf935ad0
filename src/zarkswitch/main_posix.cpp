// zarkswitch's entry point and console on POSIX systems.
#include "zarkswitch/zarkswitch.h"

#include "switching/failure.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace zark {

std::optional<Failure> ChangeFolder(const std::string& folder) {
    if (::chdir(folder.c_str()) != 0) return lastFailure(folder);
    return std::nullopt;
}

}  // namespace zark

namespace {

class StdioConsole final : public zark::Console {
public:
    void out(const std::string& text) override { std::fputs(text.c_str(), stdout); }
    void err(const std::string& text) override { std::fputs(text.c_str(), stderr); }
};

// Puts /dev/null where standard input, output or error was closed by whoever started the
// program: otherwise the first file it opens (the lock file) takes the free number, and what
// it prints lands in that file.
bool openStandardDescriptors() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        if (::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY) != fd) return false;
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (!openStandardDescriptors()) return zark::kExitFailed;
    // A reader that goes away early (a pipe into grep -q) must not kill the program once its
    // work is done: the lost output is told by exit status 4 instead.
    if (std::signal(SIGPIPE, SIG_IGN) == SIG_ERR) return zark::kExitFailed;
    StdioConsole console;
    const int status = zark::RunZarkSwitch(std::vector<std::string>(argv + 1, argv + argc), console);
    // Output that could not be written (a full disk, a closed pipe) must not pass unnoticed.
    if ((std::fflush(stdout) != 0 || std::ferror(stdout)) && status == zark::kExitDone)
        return zark::kExitDoneUnreported;
    return status;
}
