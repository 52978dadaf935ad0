#pragma once

#include "zarkmain.h"

#include <windows.h>

namespace zark {

// F1 pressed in the main window while it is enabled, or in its open About box.
bool isHelpKey(const MSG& msg, const ZARKMain& main);

// Opens the program's help file, zarkhelp.hlp in the game folder, in the help viewer. A
// missing help file is the viewer's to report; a viewer that cannot be started is ours.
void openHelp(HWND mainWindow);

}  // namespace zark
