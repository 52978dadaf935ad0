#pragma once

#include <windows.h>

namespace zark {

// The common controls of Windows' own look (version 6) for the windows made while the object
// lives: the message boxes and the About box, whose buttons Windows then draws as the player's
// other programs have them. The program's own manifest leaves them out, so that a start, whose
// main window draws its buttons itself, loads no DLL for them; they come from the program's
// second manifest. Where that cannot be activated, the windows are made as they are.
class ThemedControls {
public:
    ThemedControls();
    ~ThemedControls();
    ThemedControls(const ThemedControls&) = delete;
    ThemedControls& operator=(const ThemedControls&) = delete;

private:
    ULONG_PTR cookie_ = 0;
    bool active_ = false;
};

}  // namespace zark
