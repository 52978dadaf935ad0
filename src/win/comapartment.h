#pragma once

#include <windows.h>

namespace zark {

// Makes the calling thread a single-threaded COM apartment, once for the program's life.
// True if the thread is in a COM apartment afterwards.
bool enterComApartment();

}  // namespace zark
