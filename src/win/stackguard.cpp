// The stack protector's canary and what happens when a function finds it overwritten, for the
// programs that go to players, in place of libssp's: libssp seeds the canary through the
// CryptoAPI, which loads three more DLLs into every start. RtlGenRandom, of ADVAPI32, gives the
// same randomness without them.
#include <windows.h>
#include <ntsecapi.h>

#include <cstdint>

extern "C" {

std::uintptr_t __stack_chk_guard;

// The stack is no longer what the program wrote: nothing in the process can be trusted to say
// so, and Windows reports the end as an overrun of a stack buffer.
[[noreturn]] void __stack_chk_fail() {
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(STATUS_STACK_BUFFER_OVERRUN));
    for (;;) {}
}

}  // extern "C"

namespace {

// Before the programs' own constructors (the earliest priority open to them) and so before any
// protected function of theirs runs; it is itself unprotected, since it changes the canary.
// Should the system have no randomness to give, the canary still differs from run to run.
__attribute__((constructor(101), no_stack_protector)) void seedStackGuard() {
    std::uintptr_t seed = 0;
    if (!RtlGenRandom(&seed, sizeof seed)) {
        LARGE_INTEGER counter;
        QueryPerformanceCounter(&counter);
        seed = static_cast<std::uintptr_t>(counter.QuadPart) ^ reinterpret_cast<std::uintptr_t>(&seed);
    }
    __stack_chk_guard = seed;
}

}  // namespace
