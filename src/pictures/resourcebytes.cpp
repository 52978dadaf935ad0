#include "pictures/resourcebytes.h"

namespace zark {

bool findResource(HINSTANCE instance, int id, const wchar_t* type, ResourceBytes& bytes) {
    const HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(id), type);
    if (found == nullptr) return false;
    const HGLOBAL loaded = LoadResource(instance, found);
    if (loaded == nullptr) return false;
    const void* data = LockResource(loaded);
    const DWORD size = SizeofResource(instance, found);
    if (data == nullptr || size == 0) return false;
    bytes = {data, size};
    return true;
}

}  // namespace zark
