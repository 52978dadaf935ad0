#include "win/themedcontrols.h"

#include "resources/resource.h"

namespace zark {

namespace {

// Made once, when a window first needs it, and kept for the program's life.
HANDLE commonControlsContext() {
    static const HANDLE context = [] {
        ACTCTXW wanted{};
        wanted.cbSize = sizeof wanted;
        wanted.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID | ACTCTX_FLAG_HMODULE_VALID;
        wanted.hModule = GetModuleHandleW(nullptr);
        wanted.lpResourceName = MAKEINTRESOURCEW(IDR_COMMONCONTROLS);
        return CreateActCtxW(&wanted);
    }();
    return context;
}

}  // namespace

ThemedControls::ThemedControls() {
    const HANDLE context = commonControlsContext();
    active_ = context != INVALID_HANDLE_VALUE && ActivateActCtx(context, &cookie_);
}

ThemedControls::~ThemedControls() {
    if (active_) DeactivateActCtx(0, cookie_);
}

}  // namespace zark
