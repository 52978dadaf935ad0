#pragma once

#include "switching/failure.h"
#include "switching/filesystem.h"
#include "switching/modstate.h"
#include "switching/switchlock.h"
#include "switching/variants.h"

#include <optional>
#include <vector>

namespace zark {

// What a switch command read, what it did, and what the window has to do about it.
struct SwitchOutcome {
    // The stores' values as the command read them, each set once its read succeeded.
    std::optional<ModState> basestateRead;
    std::optional<ModState> fsstateRead;
    // Set when the command switched: the state its variant's store now holds (kActive or
    // kInactive), which its pair of pictures is to show.
    std::optional<ModState> switchedTo;
    // A message to show (exact text), or null.
    const char* message = nullptr;
    // Set when the command failed; the files are then back where the store says they are,
    // except those listed in `stranded` (undoing failed for them).
    std::optional<Failure> failure;
    std::vector<Stranded> stranded;

    // What the command read of `store`, where it read it.
    const std::optional<ModState>& stateRead(const std::string& store) const {
        return store == kBaseStore ? basestateRead : fsstateRead;
    }
};

// The four switch commands. Each runs under the folder's switch lock, within UnderSwitchLock.
SwitchOutcome ActivateZark(FileSystem& disk, const SwitchLock& lock);
SwitchOutcome DeactivateZark(FileSystem& disk, const SwitchLock& lock);
SwitchOutcome ActivateZarkFs(FileSystem& disk, const SwitchLock& lock);
SwitchOutcome DeactivateZarkFs(FileSystem& disk, const SwitchLock& lock);

using SwitchCommand = SwitchOutcome (*)(FileSystem&, const SwitchLock&);

// The command that switches `variant` on (`activate`) or off.
SwitchCommand commandFor(const Variant& variant, bool activate);

}  // namespace zark
