// zarkswitch's entry point and console on POSIX systems.
#include "zarkswitch.h"

#include "failure.h"

#include <cstdio>
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

}  // namespace

int main(int argc, char* argv[]) {
    StdioConsole console;
    const int status = zark::RunZarkSwitch(std::vector<std::string>(argv + 1, argv + argc), console);
    // Output that could not be written (a full disk, a closed pipe) must not pass unnoticed.
    if ((std::fflush(stdout) != 0 || std::ferror(stdout)) && status == zark::kExitDone) return zark::kExitDoneUnreported;
    return status;
}
