#pragma once

#include "modstate.h"

#include <windows.h>

namespace zark {

// The two indicator pictures of one variant, which share one rectangle: the one that is
// visible shows the variant's state.
struct IndicatorPair {
    HWND active;
    HWND inactive;

    // Shows the picture of `state` and hides the other one. Any other value leaves both as
    // they are.
    void show(ModState state) const;
};

}  // namespace zark
