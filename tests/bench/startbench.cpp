// Starts two programs in pairs, round after round, and reports the time from process start until
// each program waits for input (WaitForInputIdle) and its peak working set at that moment. In
// half of the rounds the reference starts first, in the other half the subject: what one start
// leaves warm for the next then favours each alike. Each round gives one ratio of the subject's
// time to the reference's; the report gives the median ratio with the spread of the middle half
// of the rounds, for each order and for all, and the median peaks; and the DLLs that the subject
// has loaded until it is idle beyond those of the reference.
//   startbench.exe <rounds in each order> <reference.exe> <subject.exe>
// Both run in the current folder. A first run of each, not counted, warms the caches.
#include "win/scoped.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <set>
#include <string>
#include <vector>

namespace {

struct Run {
    double milliseconds = 0;
    double peakKiB = 0;
    std::set<std::wstring> dlls;  // base names in lower case
};

std::set<std::wstring> dllsOf(HANDLE process) {
    std::vector<HMODULE> modules(512);
    DWORD needed = 0;
    std::set<std::wstring> names;
    if (!EnumProcessModulesEx(process, modules.data(), static_cast<DWORD>(modules.size() * sizeof(HMODULE)), &needed,
                              LIST_MODULES_ALL)) {
        return names;
    }
    modules.resize(std::min<size_t>(modules.size(), needed / sizeof(HMODULE)));
    for (HMODULE module : modules) {
        wchar_t name[MAX_PATH];
        const DWORD length = GetModuleBaseNameW(process, module, name, MAX_PATH);
        std::wstring lower(name, length);
        for (wchar_t& c : lower) c = static_cast<wchar_t>(std::towlower(c));
        if (length != 0 && lower.size() > 4 && lower.compare(lower.size() - 4, 4, L".dll") == 0) names.insert(lower);
    }
    return names;
}

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
    if (counted) run.dlls = dllsOf(process.get());
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

// The value below which `share` of the values lie, by the nearest rank.
double quantile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1) + 0.5);
    return values[rank];
}

void printRatios(const wchar_t* label, const std::vector<double>& ratios) {
    std::wprintf(L"%-28ls %6.3fx   [%5.3f-%5.3f]   %zu rounds\n", label, quantile(ratios, 0.5), quantile(ratios, 0.25),
                 quantile(ratios, 0.75), ratios.size());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4 || std::wcstol(argv[1], nullptr, 10) < 1) {
        std::fwprintf(stderr, L"usage: startbench <rounds in each order> <reference.exe> <subject.exe>\n");
        return 2;
    }
    const long rounds = std::wcstol(argv[1], nullptr, 10);
    const std::wstring reference = argv[2];
    const std::wstring subject = argv[3];

    Run referenceWarmUp;
    Run subjectWarmUp;
    if (!measure(reference, referenceWarmUp) || !measure(subject, subjectWarmUp)) return 1;

    std::vector<double> referenceFirst;
    std::vector<double> subjectFirst;
    std::vector<double> referencePeaks;
    std::vector<double> subjectPeaks;
    for (long i = 0; i < 2 * rounds; ++i) {
        const bool referenceLeads = i % 2 == 0;
        Run ofReference;
        Run ofSubject;
        if (referenceLeads) {
            if (!measure(reference, ofReference) || !measure(subject, ofSubject)) return 1;
        } else {
            if (!measure(subject, ofSubject) || !measure(reference, ofReference)) return 1;
        }
        const double ratio = ofSubject.milliseconds / ofReference.milliseconds;
        (referenceLeads ? referenceFirst : subjectFirst).push_back(ratio);
        referencePeaks.push_back(ofReference.peakKiB);
        subjectPeaks.push_back(ofSubject.peakKiB);
        std::wprintf(L"round %3ld  %-12ls first  %8.1f ms %9.0f KiB   %8.1f ms %9.0f KiB   %6.3fx\n", i + 1,
                     referenceLeads ? L"reference" : L"subject", ofReference.milliseconds, ofReference.peakKiB,
                     ofSubject.milliseconds, ofSubject.peakKiB, ratio);
    }

    std::vector<double> all = referenceFirst;
    all.insert(all.end(), subjectFirst.begin(), subjectFirst.end());
    std::wprintf(L"\nstart-up until idle, %ls against %ls: median ratio [middle half]\n", subject.c_str(),
                 reference.c_str());
    printRatios(L"reference started first", referenceFirst);
    printRatios(L"subject started first", subjectFirst);
    printRatios(L"all rounds", all);
    const double referencePeak = quantile(referencePeaks, 0.5);
    const double subjectPeak = quantile(subjectPeaks, 0.5);
    std::wprintf(L"\npeak working set, median: %ls %.0f KiB, %ls %.0f KiB: %+.0f KiB, %.3fx\n", reference.c_str(),
                 referencePeak, subject.c_str(), subjectPeak, subjectPeak - referencePeak, subjectPeak / referencePeak);
    std::wprintf(L"DLLs loaded until idle beyond %ls's:", reference.c_str());
    for (const std::wstring& dll : subjectWarmUp.dlls) {
        if (referenceWarmUp.dlls.count(dll) == 0) std::wprintf(L" %ls", dll.c_str());
    }
    std::wprintf(L"\n");
    return 0;
}
