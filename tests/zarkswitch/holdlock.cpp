// Holds the switch lock of the current folder, as a native switcher does, until its standard
// input ends:
//   holdlock
// Prints "held" once it holds the lock. Whoever started it decides how long the lock is held by
// closing its input, so that a waiter that is slow to start still finds it held.
#include "switching/filesystem.h"
#include "switching/switchlock.h"

#include <cstdio>

int main(int argc, char*[]) {
    if (argc != 1) return 64;
    std::unique_ptr<zark::FileLock> lock;
    if (auto failure = zark::realFileSystem().tryLock(zark::kLockFile, lock)) {
        std::fprintf(stderr, "holdlock: %s\n", failure->description.c_str());
        return 1;
    }
    std::puts("held");
    std::fflush(stdout);
    while (std::getchar() != EOF) {}
    return 0;
}
