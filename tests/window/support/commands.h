// The commands of the "&Mod" menu, given in each of the ways that the main window offers: its
// menu, its shortcuts and, for the four switches, its indicators, pressed with the mouse, with
// Space once Tab has reached them, or as a screen reader presses a button.
#pragma once

#include "support/mainwindow.h"

#include <windows.h>

#include <ostream>

namespace windowtest {

enum class Way { MenuByKeyboard, MenuByMouse, Shortcut, Picture, Space, ScreenReader };

const char* nameOf(ModCommand command);
const char* nameOf(Way way);
inline void PrintTo(Way way, std::ostream* out) { *out << nameOf(way); }

// Gives the command; false if the input could not be delivered (the window did not come to
// the front, or the menu did not open) or the command has no indicator to give it by.
[[nodiscard]] bool give(HWND main, ModCommand command, Way way);

}  // namespace windowtest
