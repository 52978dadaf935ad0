// Owners for the Win32 handles the tests hold.
#pragma once

#include <windows.h>

namespace windowtest {

// A kernel handle closed with CloseHandle.
class Handle {
public:
    Handle() = default;
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() { reset(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    HANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    void reset(HANDLE handle = nullptr)
    {
        if (*this) CloseHandle(handle_);
        handle_ = handle;
    }

private:
    HANDLE handle_ = nullptr;
};

// A module loaded with LoadLibraryExW and freed with FreeLibrary.
class Module {
public:
    explicit Module(HMODULE module) : module_(module) {}
    ~Module()
    {
        if (module_) FreeLibrary(module_);
    }
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    HMODULE get() const { return module_; }

private:
    HMODULE module_;
};

}  // namespace windowtest
