#pragma once

#include "dib.h"

#include <windows.h>

#include <string>

namespace zark {

// The indicator pictures: child windows of class ZARK_PICTURE_CLASS that draw one bitmap at
// its natural size from their top-left corner, clipped to their own rectangle. A click (the
// left button pressed and released over the picture) reaches the parent as WM_COMMAND with
// the picture's id and STN_CLICKED. They never take the keyboard focus. To assistive technology
// each is a push button named by its window text.

// Returns false with the thread's last error set if the class cannot be registered.
bool registerPictureClass(HINSTANCE instance);

// A visible picture at `area` in the parent's client area, showing `bitmap`, which must
// outlive it, and named `name` (its window text, which screen readers read). The parent may
// change the bitmap's pixels (and then repaints the picture) and move the picture. Null with the
// thread's last error set on failure.
HWND createPicture(HINSTANCE instance, HWND parent, int id, const RECT& area, const DibView& bitmap,
                   const std::wstring& name);

}  // namespace zark
