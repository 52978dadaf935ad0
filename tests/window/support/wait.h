// Bounded polling: every wait of the tests ends as soon as its condition holds, or fails after
// a limit that only a broken program reaches.
#pragma once

#include <windows.h>

#include <chrono>

namespace windowtest {

constexpr std::chrono::milliseconds kPatience{10000};

// Polls `condition` until it returns a true value or `limit` has passed; returns the last value.
template <class Condition>
auto eventually(Condition condition, std::chrono::milliseconds limit = kPatience) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        auto value = condition();
        if (value || std::chrono::steady_clock::now() >= deadline) return value;
        Sleep(20);
    }
}

}  // namespace windowtest
