// Starts two programs in turn, each several times, and reports for each run the time from
// process start until the program waits for input (WaitForInputIdle) and its peak working
// set at that moment; then the medians and the second program's ratios to the first.
//   startbench.exe <runs> <reference.exe> <subject.exe>
// Both run in the current folder. A first run of each, not counted, warms the caches.
#include "scoped.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Run {
    double milliseconds = 0;
    double peakKiB = 0;
};

struct Series {
    std::wstring program;
    std::vector<Run> runs;
};

// Nothing is measured if a program cannot be started or never becomes idle.
bool measure(const std::wstring& program, Run& run) {
    std::vector<wchar_t> commandLine(program.begin(), program.end());
    commandLine.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    LARGE_INTEGER frequency;
    LARGE_INTEGER begin;
    LARGE_INTEGER end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begin);
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started)) {
        std::fwprintf(stderr, L"cannot start %ls: error %lu\n", program.c_str(), GetLastError());
        return false;
    }
    const zark::ScopedHandle process(started.hProcess);
    const zark::ScopedHandle thread(started.hThread);
    const DWORD idle = WaitForInputIdle(process.get(), 30000);
    QueryPerformanceCounter(&end);

    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    const bool counted = idle == 0 && GetProcessMemoryInfo(process.get(), &memory, sizeof memory);
    TerminateProcess(process.get(), 0);
    WaitForSingleObject(process.get(), INFINITE);
    if (!counted) {
        std::fwprintf(stderr, L"%ls did not become idle (%lu)\n", program.c_str(), idle);
        return false;
    }
    run.milliseconds = static_cast<double>(end.QuadPart - begin.QuadPart) * 1000.0 / frequency.QuadPart;
    run.peakKiB = static_cast<double>(memory.PeakWorkingSetSize) / 1024.0;
    return true;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

Run medians(const Series& series) {
    std::vector<double> times;
    std::vector<double> peaks;
    for (const Run& run : series.runs) {
        times.push_back(run.milliseconds);
        peaks.push_back(run.peakKiB);
    }
    return {median(times), median(peaks)};
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4 || std::wcstol(argv[1], nullptr, 10) < 1) {
        std::fwprintf(stderr, L"usage: startbench <runs> <reference.exe> <subject.exe>\n");
        return 2;
    }
    const long runs = std::wcstol(argv[1], nullptr, 10);
    Series series[2] = {{argv[2], {}}, {argv[3], {}}};

    for (Series& each : series) {
        Run warmUp;
        if (!measure(each.program, warmUp)) return 1;
    }
    // Alternate the two so that a drift in the machine's load touches both alike.
    for (long i = 0; i < runs; ++i) {
        for (Series& each : series) {
            Run run;
            if (!measure(each.program, run)) return 1;
            each.runs.push_back(run);
            std::wprintf(L"run %2ld  %-40ls %8.1f ms %9.0f KiB\n", i + 1, each.program.c_str(), run.milliseconds,
                         run.peakKiB);
        }
    }
    const Run reference = medians(series[0]);
    const Run subject = medians(series[1]);
    std::wprintf(L"\nmedian of %ld runs    start-up until idle   peak working set\n", runs);
    std::wprintf(L"%-20ls %14.1f ms %14.0f KiB\n", series[0].program.c_str(), reference.milliseconds,
                 reference.peakKiB);
    std::wprintf(L"%-20ls %14.1f ms %14.0f KiB\n", series[1].program.c_str(), subject.milliseconds, subject.peakKiB);
    std::wprintf(L"%-20ls %15.2fx %17.2fx\n", L"ratio", subject.milliseconds / reference.milliseconds,
                 subject.peakKiB / reference.peakKiB);
    return 0;
}
