#pragma once

#include "modstate.h"

#include <windows.h>

namespace zark {

// One variant as the main window shows it: its state field and its two indicator pictures,
// which share one rectangle, so that the visible one shows the state.
struct IndicatorPair {
    ModState& state;  // basestate or fsstate
    HWND& active;     // active or fsactive
    HWND& inactive;   // deactive or fsdeactive

    // Shows what the variant's store holds, by the start-up rule: 1 the active picture, 2 or 0
    // (not set) the inactive one, any other value both. The field follows the pictures.
    void show(ModState stored) const;
};

}  // namespace zark
