#include "indicatorpair.h"

namespace zark {

void IndicatorPair::show(ModState stored) const {
    state = stored == 0 ? kInactive : stored;
    ShowWindow(active, state == kInactive ? SW_HIDE : SW_SHOWNA);
    ShowWindow(inactive, state == kActive ? SW_HIDE : SW_SHOWNA);
}

}  // namespace zark
