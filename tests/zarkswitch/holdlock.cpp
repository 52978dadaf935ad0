// Holds the switch lock of the current folder for a while, as a native switcher does:
//   holdlock <milliseconds>
// Prints "held" once it holds the lock, then waits and ends, letting go.
#include "filesystem.h"
#include "switchlock.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

int main(int argc, char* argv[]) {
    if (argc != 2) return 64;
    std::unique_ptr<zark::FileLock> lock;
    if (auto failure = zark::realFileSystem().tryLock(zark::kLockFile, lock)) {
        std::fprintf(stderr, "holdlock: %s\n", failure->description.c_str());
        return 1;
    }
    std::puts("held");
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(argv[1])));
    return 0;
}
