#pragma once

#include "pictures/dib.h"
#include "switching/failure.h"
#include "switching/modstate.h"
#include "switching/variants.h"

#include <windows.h>

#include <optional>
#include <string>

namespace zark {

// One variant's state as the main window shows it: a push button of the system's BUTTON class,
// drawn by its owner with the variant's ACTIVATED or DE-ACTIVATED picture and named after the
// picture it shows ("ZARK: ACTIVATED"). Being the system's own button, it takes the focus and
// Space, has a tab stop, and is a push button that screen readers read, press and hear renamed.
// It holds the variant's state, the last value read from or written to the variant's store.
class Indicator {
public:
    // `area` is the indicator's rectangle in the main window's client area at 96 dpi; the
    // pictures must outlive the indicator, and may change their pixels at a new DPI.
    Indicator(const Variant& variant, int id, const RECT& area, const DibView& activated, const DibView& deactivated);
    Indicator(const Indicator&) = delete;
    Indicator& operator=(const Indicator&) = delete;

    // The button in `parent`, visible, not yet placed; `first` begins the group of indicators
    // that the arrow keys move through.
    std::optional<Failure> create(HINSTANCE instance, HWND parent, bool first);

    // Its size and place at `dpi`.
    std::optional<Failure> place(UINT dpi) const;

    // Shows what the variant's store holds, by the start-up rule: 1 the ACTIVATED picture, 2 or 0
    // (not set) the DE-ACTIVATED one; any other value the ACTIVATED one, which lies on top where
    // both pictures of a variant would show. The state follows, 0 as 2.
    void show(ModState stored);

    ModState state() const { return state_; }
    // Whether it shows the ACTIVATED picture, which a click switches off.
    bool showsActivated() const { return state_ != kInactive; }

    const Variant& variant() const { return variant_; }
    int id() const { return id_; }
    HWND window() const { return button_; }

    // For WM_DRAWITEM: the picture at the button's top-left corner, clipped to the button, and
    // the focus rectangle inside it while it has the focus and `focusShown`.
    void draw(const DRAWITEMSTRUCT& item, bool focusShown, UINT dpi) const;

private:
    std::wstring name() const;

    const Variant& variant_;
    int id_;
    RECT area_;
    const DibView& activated_;
    const DibView& deactivated_;
    ModState state_ = 0;
    HWND button_ = nullptr;
};

}  // namespace zark
