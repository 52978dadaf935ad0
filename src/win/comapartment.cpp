#include "comapartment.h"

#include <objbase.h>

namespace zark {

// Called on the program's one user-interface thread; the apartment is never left, since
// objects made in it may live until the program ends. A thread that something else already
// made a multi-threaded apartment (RPC_E_CHANGED_MODE) stays in that one, which serves as well.
bool enterComApartment() {
    static const bool entered = [] {
        const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        return SUCCEEDED(result) || result == RPC_E_CHANGED_MODE;
    }();
    return entered;
}

}  // namespace zark
