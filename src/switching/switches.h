#pragma once

#include "failure.h"
#include "filesystem.h"
#include "modstate.h"

#include <optional>
#include <vector>

namespace zark {

// What the window has to do after a switch command.
struct Outcome {
    // A message to show (exact text), or null.
    const char* message = nullptr;
    // Set when the command switched: the pair's new state (kActive or kInactive).
    std::optional<ModState> pictures;
    // Set when the command failed; the files are then back where the store says they are,
    // except those listed in `stranded` (undoing failed for them).
    std::optional<Failure> failure;
    std::vector<Stranded> stranded;
};

// The four switch commands. `basestate` and `fsstate` are the window's fields: each
// command reads the store into them and sets the one it switches.
Outcome ActivateZark(FileSystem& fs, ModState& basestate, ModState& fsstate);
Outcome DeactivateZark(FileSystem& fs, ModState& basestate);
Outcome ActivateZarkFs(FileSystem& fs, ModState& basestate, ModState& fsstate);
Outcome DeactivateZarkFs(FileSystem& fs, ModState& fsstate);

}  // namespace zark
