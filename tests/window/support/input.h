// Real input through SendInput: the launcher sees it exactly as a user's keys and clicks.
#pragma once

#include <windows.h>

#include <vector>

namespace windowtest {

// Makes `window` the foreground window, which receives the keyboard; true once it is and its
// thread has given it the keyboard focus.
[[nodiscard]] bool bringToFront(HWND window);

// Presses the keys in order and releases them in reverse: {VK_CONTROL, 'A'} is Ctrl+A. The
// foreground window's thread receives them all before it runs on.
void pressKeys(const std::vector<WORD>& keys);

// Moves the mouse to a screen position and clicks the left button there; false if the
// cursor did not get there, and then nothing is clicked.
[[nodiscard]] bool clickAt(POINT screen);

POINT centreOf(const RECT& area);

// Moves the mouse into the screen's bottom-right corner, where no window opens. A window that
// opens under the mouse makes Wine read the pointer's place from X with a delay, which can
// undo a later move.
[[nodiscard]] bool parkMouse();

// True once the thread of `window` has handled all input sent so far, even while the window
// is disabled and answers none: the window is made to repaint, and a thread paints only when no
// input waits for it. Where the window can show a reaction to input, wait for that instead.
[[nodiscard]] bool inputHandled(HWND window);

}  // namespace windowtest
