#include "indicatorpair.h"

namespace zark {

void IndicatorPair::show(ModState state) const {
    if (!IsDecided(state)) return;
    const bool nowActive = state == kActive;
    ShowWindow(nowActive ? inactive : active, SW_HIDE);
    ShowWindow(nowActive ? active : inactive, SW_SHOWNA);
}

}  // namespace zark
