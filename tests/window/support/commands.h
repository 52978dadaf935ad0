// The four switch commands, given in each of the ways that the main window offers: its menu, its
// shortcuts and its indicators, pressed with the mouse, with Space once Tab has reached them, or
// as a screen reader presses a button.
#pragma once

#include <windows.h>

#include <ostream>

namespace windowtest {

enum class Switch { ActivateZark, DeactivateZark, ActivateZarkFs, DeactivateZarkFs };

enum class Way { MenuByKeyboard, MenuByMouse, Shortcut, Picture, Space, ScreenReader };

const char* nameOf(Switch command);
const char* nameOf(Way way);
inline void PrintTo(Way way, std::ostream* out) { *out << nameOf(way); }

// Gives the command; false if the input could not be delivered (the window did not come to
// the front, or the menu did not open).
[[nodiscard]] bool give(HWND main, Switch command, Way way);

}  // namespace windowtest
