#pragma once

#include <windows.h>

namespace zark {

// The bytes of a resource as the program file holds them: mapped with the file, so that no copy
// is made in memory and nothing is to be freed.
struct ResourceBytes {
    const void* data = nullptr;
    DWORD size = 0;
};

// Resource `id` of `type` (RT_BITMAP, RT_RCDATA ...). False with the thread's last error set if it
// is missing.
bool findResource(HINSTANCE instance, int id, const wchar_t* type, ResourceBytes& bytes);

}  // namespace zark
