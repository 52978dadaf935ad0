#include "support/commands.h"

#include "support/input.h"
#include "support/mainwindow.h"

#include "resources/resource.h"

namespace windowtest {
namespace {

struct Ways {
    WORD shortcut;  // with Ctrl
    // The indicator that gives this command while it shows the picture of the other state; none
    // for the commands that are no switch.
    int indicator;
};

Ways waysOf(ModCommand command) {
    switch (command) {
    case ModCommand::ActivateZark: return {'A', IDC_MODSTATUS};
    case ModCommand::DeactivateZark: return {'D', IDC_MODSTATUS};
    case ModCommand::ActivateZarkFs: return {'Z', IDC_FSMODSTATUS};
    case ModCommand::DeactivateZarkFs: return {'C', IDC_FSMODSTATUS};
    case ModCommand::Run: return {'R', 0};
    case ModCommand::Exit: return {'Q', 0};
    }
    return {};
}

}  // namespace

const char* nameOf(ModCommand command) {
    switch (command) {
    case ModCommand::ActivateZark: return "ActivateZark";
    case ModCommand::DeactivateZark: return "DeactivateZark";
    case ModCommand::ActivateZarkFs: return "ActivateZarkFs";
    case ModCommand::DeactivateZarkFs: return "DeactivateZarkFs";
    case ModCommand::Run: return "Run";
    case ModCommand::Exit: return "Exit";
    }
    return "";
}

const char* nameOf(Way way) {
    switch (way) {
    case Way::MenuByKeyboard: return "MenuByKeyboard";
    case Way::MenuByMouse: return "MenuByMouse";
    case Way::Shortcut: return "Shortcut";
    case Way::Picture: return "Picture";
    case Way::Space: return "Space";
    case Way::ScreenReader: return "ScreenReader";
    }
    return "";
}

bool give(HWND main, ModCommand command, Way way) {
    const Ways ways = waysOf(command);
    if (ways.indicator == 0 && (way == Way::Picture || way == Way::Space || way == Way::ScreenReader)) return false;
    switch (way) {
    case Way::MenuByKeyboard: return chooseFromModMenu(main, command, MenuWay::Keyboard);
    case Way::MenuByMouse: return chooseFromModMenu(main, command, MenuWay::Mouse);
    case Way::Shortcut:
        if (!bringToFront(main)) return false;
        pressKeys({VK_CONTROL, ways.shortcut});
        return true;
    case Way::Picture: return clickIndicator(main, ways.indicator);
    case Way::Space:
        if (!tabTo(main, ways.indicator)) return false;
        pressKeys({VK_SPACE});
        return true;
    // What Windows' accessibility proxy sends a push button to press it.
    case Way::ScreenReader: return PostMessageW(GetDlgItem(main, ways.indicator), BM_CLICK, 0, 0) != FALSE;
    }
    return false;
}

}  // namespace windowtest
