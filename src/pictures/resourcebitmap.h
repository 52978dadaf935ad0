#pragma once

#include "pictures/dib.h"

#include <windows.h>

namespace zark {

// Finds bitmap resource `id`: a view of the program file's own copy of its pixels, so that no
// second copy is made in memory, and there is nothing to free. False with the thread's last
// error set if it is missing.
bool findResourceBitmap(HINSTANCE instance, int id, DibView& bitmap);

}  // namespace zark
