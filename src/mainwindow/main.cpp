// The program's entry point and its one message loop.
#include "failure.h"
#include "help.h"
#include "picture.h"
#include "resources/resource.h"
#include "shortcuts.h"
#include "win/errorreport.h"
#include "zarkmain.h"

namespace {

int endWithLastError() {
    zark::showErrorReport(nullptr, zark::lastFailure({}));
    return 1;
}

// F1 first, since the About box would take it as a key of its own; then the About box; then
// the shortcuts, which belong to the main window alone.
int runMessageLoop(zark::ZARKMain& main, const zark::Shortcuts& shortcuts) {
    MSG msg;
    for (;;) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(msg.wParam);
        if (got == -1) return endWithLastError();
        if (zark::isHelpKey(msg, main)) {
            zark::openHelp(main.window());
            continue;
        }
        if (main.about().preTranslate(msg)) continue;
        if (shortcuts.translate(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    if (!zark::ZARKMain::registerClass(instance) || !zark::About::registerClass(instance) ||
        !zark::registerPictureClass(instance)) {
        return endWithLastError();
    }
    const HACCEL table = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
    if (table == nullptr) return endWithLastError();

    // Start-up that fails reports and ends before the window has ever been shown.
    zark::ZARKMain main(instance);
    if (auto failure = main.create()) {
        zark::showErrorReport(nullptr, *failure);
        return 1;
    }
    zark::Shortcuts shortcuts(main.window(), table);
    if (!shortcuts.install()) return endWithLastError();

    ShowWindow(main.window(), show);
    if (!UpdateWindow(main.window())) return endWithLastError();
    return runMessageLoop(main, shortcuts);
}
