// Times the base-game switch through the real file system: activates and deactivates ZARK in
// the current folder, which must hold both stores at 2 and the zark rule files, and prints the
// median time of one switch.
//   switchbench.exe <switches>
#include "switching/switches.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

double now() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const long switches = argc == 2 ? std::wcstol(argv[1], nullptr, 10) : 0;
    if (switches < 2) {
        std::fwprintf(stderr, L"usage: switchbench <switches, at least 2>\n");
        return 2;
    }
    zark::FileSystem& disk = zark::realFileSystem();
    std::vector<double> times;
    for (long i = 0; i < switches; ++i) {
        // As the programs switch: the folder's lock first, let go of once the switch is done.
        const double begin = now();
        zark::SwitchOutcome outcome;
        {
            zark::SwitchLock lock;
            if (auto failure = zark::LockSwitching(disk, lock)) {
                std::fwprintf(stderr, L"cannot lock the folder\n");
                return 1;
            }
            outcome = i % 2 == 0 ? zark::ActivateZark(disk, lock) : zark::DeactivateZark(disk, lock);
        }
        times.push_back(now() - begin);
        if (!outcome.switchedTo) {
            std::fwprintf(stderr, L"switch %ld did not switch\n", i + 1);
            return 1;
        }
    }
    std::sort(times.begin(), times.end());
    std::wprintf(L"median of %ld switches (Activate ZARK and Deactivate ZARK in turn): %.3f ms\n", switches,
                 times[times.size() / 2]);
    return 0;
}
