#pragma once

#include <windows.h>

namespace zark {

// Makes the calling thread a single-threaded COM apartment, once for the program's life.
// True if the thread is in a COM apartment afterwards.
bool enterComApartment();

// An object of the COM class `type` from a DLL in this process, made in the thread's apartment,
// which it enters first.
HRESULT createInstance(REFCLSID type, REFIID wanted, void** object);

}  // namespace zark
