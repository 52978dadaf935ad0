#pragma once

#include <windows.h>

namespace zark {

// Builds the About box afresh and shows it modeless, without an owner. While it is open it
// keeps `mainWindow` disabled; it enables it again however it closes.
void viewAbout(HINSTANCE instance, HWND mainWindow);

// Lets an open About box see a message before it is translated and dispatched: a typed
// character anywhere in the box closes it (key preview), and dialog keys reach its button.
// Returns true if the message was used up.
bool aboutPreTranslate(MSG& msg);

// The open About box, or null.
HWND aboutWindow();

}  // namespace zark
