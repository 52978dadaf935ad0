#pragma once

#include <windows.h>

namespace zark {

// Answers WM_GETOBJECT for an indicator picture. To a screen reader the picture is then a push
// button named by its window text ("ZARK: ACTIVATED"), which is what it is to the mouse: the
// state exists not only as pixels. Anything else is the default window procedure's to answer.
LRESULT answerGetObject(HWND picture, WPARAM flags, LPARAM objectId);

}  // namespace zark
