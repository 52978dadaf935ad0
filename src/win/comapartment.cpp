#include "win/comapartment.h"

#include <objbase.h>

namespace zark {

bool enterComApartment() {
    static const HRESULT entered = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    return SUCCEEDED(entered);
}

}  // namespace zark
