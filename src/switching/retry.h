#pragma once

#include "switching/failure.h"
#include "switching/filesystem.h"

#include <algorithm>
#include <optional>

namespace zark {

// How long a step that fails for the moment is tried again: about two seconds in all, in
// pauses that start short, so that a file held for an instant costs an instant.
inline constexpr int kRetryBudgetMs = 2000;
inline constexpr int kFirstPauseMs = 10;
inline constexpr int kLongestPauseMs = 250;

// Runs `step` and, while it fails transiently, runs it again after a pause that doubles up to
// kLongestPauseMs, until kRetryBudgetMs of pauses have passed. Returns the last failure.
template <class Step>
std::optional<Failure> Retrying(FileSystem& disk, Step step) {
    std::optional<Failure> failure = step();
    int waited = 0;
    for (int pause = kFirstPauseMs; failure && failure->transient && waited < kRetryBudgetMs;
         pause = std::min(2 * pause, kLongestPauseMs)) {
        disk.pause(pause);
        waited += pause;
        failure = step();
    }
    return failure;
}

}  // namespace zark
