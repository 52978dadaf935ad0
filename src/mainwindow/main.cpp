// The program's entry point and its one message loop.
#include "mainwindow/help.h"
#include "mainwindow/shortcuts.h"
#include "mainwindow/zarkmain.h"
#include "resources/resource.h"
#include "switching/failure.h"
#include "win/dllsearch.h"
#include "win/errorreport.h"

#include <imm.h>

namespace {

int endWithLastError() {
    zark::showErrorReport(nullptr, zark::lastFailure({}));
    return 1;
}

// F1 first, since the About box would take it as a key of its own; then the About box; then
// the shortcuts, which belong to the main window alone; then the keys that move between the
// main window's indicators and press them.
void handle(MSG& msg, zark::ZARKMain& main, const zark::Shortcuts& shortcuts) {
    if (zark::isHelpKey(msg, main)) {
        zark::openHelp(main.window());
        return;
    }
    if (main.about().preTranslate(msg)) return;
    if (shortcuts.translate(msg)) return;
    if (main.preTranslate(msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

// Waits for input and for changes of the game folder at once, so that the indicators follow the
// stores whichever program switches, without looking at the folder again and again. Until the
// window first has nothing to handle, the loop only looks without waiting: that moment is when a
// program that started the launcher sees it ready, and what could wait follows it.
int runMessageLoop(zark::ZARKMain& main, const zark::Shortcuts& shortcuts) {
    bool idle = false;
    for (;;) {
        zark::StoreWatch& watch = main.watch();
        const HANDLE changed = watch.handle();
        const DWORD watched = changed != nullptr ? 1 : 0;
        const DWORD woken = MsgWaitForMultipleObjectsEx(watched, &changed, idle ? watch.patience() : 0, QS_ALLINPUT,
                                                        MWMO_INPUTAVAILABLE);
        if (woken == WAIT_FAILED) return endWithLastError();
        if (!idle && woken == WAIT_TIMEOUT) {
            idle = true;
            main.wentIdle();
        }
        if (watched == 1 && woken == WAIT_OBJECT_0) watch.changed();
        if (watch.readDue()) main.storesChanged();
        // Input waiting is handled every time round, however busy the folder is.
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
            handle(msg, main, shortcuts);
        }
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    if (auto failure = zark::loadDllsFromSystemFolderOnly()) {
        zark::showErrorReport(nullptr, *failure);
        return 1;
    }
    // The launcher takes no text anywhere: with the input method off for every thread, no window
    // starts one as it is first activated, which at 150 % takes Wine about 10 ms and loads COM.
    // Where the system keeps it on, the launcher works as well, so the answer is not looked at.
    ImmDisableIME(static_cast<DWORD>(-1));
    const HACCEL table = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
    if (table == nullptr) return endWithLastError();

    // Start-up that fails reports and ends before the window has ever been shown.
    zark::ZARKMain main;
    if (auto failure = main.create(instance)) {
        zark::showErrorReport(nullptr, *failure);
        return 1;
    }
    zark::Shortcuts shortcuts(main.window(), table);
    if (!shortcuts.install()) return endWithLastError();

    ShowWindow(main.window(), show);
    if (!UpdateWindow(main.window())) return endWithLastError();
    return runMessageLoop(main, shortcuts);
}
