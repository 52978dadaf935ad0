// The launcher's main window seen from outside: its pictures, and its menus driven by input.
#pragma once

#include <windows.h>

#include <ostream>
#include <string>

namespace windowtest {

// Which picture each indicator shows: for each variant, its ACTIVATED picture or its
// DE-ACTIVATED one.
struct Pictures {
    bool active = false;
    bool deactive = false;
    bool fsactive = false;
    bool fsdeactive = false;

    bool operator==(const Pictures& other) const {
        return active == other.active && deactive == other.deactive && fsactive == other.fsactive &&
               fsdeactive == other.fsdeactive;
    }
};
std::ostream& operator<<(std::ostream& out, const Pictures& pictures);

// As the indicators' names tell, which screen readers read: "ZARK: ACTIVATED",
// "ZARK-FS: DE-ACTIVATED".
Pictures picturesOf(HWND main);

// As the screen shows them at 96 dpi: an indicator counts as showing a picture only if every
// one of its pixels is the picture's (no focus rectangle, no picture of another scale).
Pictures picturesDrawn(HWND main);

// Whether the thread of `window` runs a menu loop, read across processes.
bool inMenuMode(HWND window);

// The window that has the keyboard focus in the main window's thread, read across processes.
HWND focusOf(HWND main);

// A window as assistive technology sees it, through the accessibility interface of Windows.
struct Accessible {
    std::wstring name;
    long role = 0;  // ROLE_SYSTEM_*
};
Accessible accessibleOf(HWND window);

// Rectangles in screen pixels.
RECT clientOnScreen(HWND window);
RECT controlOnScreen(HWND main, int id);
// A control's rectangle in the client area of its window.
RECT controlInClient(HWND window, int id);
// "left, top, width x height", as the layout gives rectangles.
std::string placeOf(const RECT& r);

// Clicks the middle of the indicator `id` (IDC_MODSTATUS or IDC_FSMODSTATUS).
[[nodiscard]] bool clickIndicator(HWND main, int id);

// Moves the focus to the indicator `id` with Tab, as a keyboard user does, at least one step, so
// that its focus rectangle shows; false if Tab never reaches it.
[[nodiscard]] bool tabTo(HWND main, int id);

// The commands of the "&Mod" menu, in menu order.
enum class ModCommand { ActivateZark, DeactivateZark, ActivateZarkFs, DeactivateZarkFs, Run, Exit };

enum class MenuWay { Keyboard, Mouse };

// Opens the "&Mod" menu and chooses `command`: by Alt+M and the arrow keys, or by clicking the
// menu bar and then the item.
[[nodiscard]] bool chooseFromModMenu(HWND main, ModCommand command, MenuWay way);

// Opens a menu by its access letter and chooses its `index`-th command with the arrow keys.
[[nodiscard]] bool chooseByKeyboard(HWND main, WORD accessLetter, int index);

// True once the main window has handled the input sent so far and takes more: its "&Mod"
// menu, opened by its access letter, appears and closes again. Input is handled in order, so
// the menu appears only after everything sent before; while a message box is open, never.
[[nodiscard]] bool menuOpens(HWND main);

}  // namespace windowtest
