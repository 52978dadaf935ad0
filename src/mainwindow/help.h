#pragma once

#include "mainwindow/zarkmain.h"

#include <windows.h>

namespace zark {

// F1 pressed in the main window while it is enabled, or in its open About box.
bool isHelpKey(const MSG& msg, const ZARKMain& main);

// Starts the help viewer on the program's help file, zarkhelp.hlp in the game folder, and
// returns at once. A missing help file is the viewer's to report; a viewer that cannot be
// started is ours, in front of `owner`.
void openHelp(HWND owner);

}  // namespace zark
