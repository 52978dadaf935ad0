#include "win/comapartment.h"

#include "win/dlllookup.h"

#include <objbase.h>

namespace zark {

// Called on the program's one user-interface thread; the apartment is never left, since
// objects made in it may live until the program ends. A thread that something else already
// made a multi-threaded apartment (RPC_E_CHANGED_MODE) stays in that one, which serves as well.
// COM is loaded with the first command that needs it: most starts never do.
bool enterComApartment() {
    static const bool entered = [] {
        const auto initialize = systemFunction<decltype(&CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
        if (initialize == nullptr) return false;
        const HRESULT result = initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        return SUCCEEDED(result) || result == RPC_E_CHANGED_MODE;
    }();
    return entered;
}

}  // namespace zark
