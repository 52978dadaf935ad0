// Owners for the Win32 handles the tests hold.
#pragma once

#include "switching/scopedhandle.h"

#include <windows.h>

namespace windowtest {

// The program's own owner of kernel handles.
using Handle = zark::ScopedHandle;

// A module loaded with LoadLibraryExW and freed with FreeLibrary.
class Module {
public:
    explicit Module(HMODULE module) : module_(module) {}
    ~Module() {
        if (module_) FreeLibrary(module_);
    }
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    HMODULE get() const { return module_; }

private:
    HMODULE module_;
};

}  // namespace windowtest
