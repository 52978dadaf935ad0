#include "support/commands.h"

#include "support/input.h"
#include "support/mainwindow.h"

#include <resource.h>

namespace windowtest {
namespace {

struct Ways {
    ModCommand menu;
    WORD shortcut;  // with Ctrl
    int indicator;  // the indicator that gives this command while it shows the picture of the other state
};

Ways waysOf(Switch command)
{
    switch (command) {
    case Switch::ActivateZark: return {ModCommand::ActivateZark, 'A', IDC_MODSTATUS};
    case Switch::DeactivateZark: return {ModCommand::DeactivateZark, 'D', IDC_MODSTATUS};
    case Switch::ActivateZarkFs: return {ModCommand::ActivateZarkFs, 'Z', IDC_FSMODSTATUS};
    case Switch::DeactivateZarkFs: return {ModCommand::DeactivateZarkFs, 'C', IDC_FSMODSTATUS};
    }
    return {};
}

}  // namespace

const char* nameOf(Switch command)
{
    switch (command) {
    case Switch::ActivateZark: return "ActivateZark";
    case Switch::DeactivateZark: return "DeactivateZark";
    case Switch::ActivateZarkFs: return "ActivateZarkFs";
    case Switch::DeactivateZarkFs: return "DeactivateZarkFs";
    }
    return "";
}

const char* nameOf(Way way)
{
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

bool give(HWND main, Switch command, Way way)
{
    const Ways ways = waysOf(command);
    switch (way) {
    case Way::MenuByKeyboard: return chooseFromModMenu(main, ways.menu, MenuWay::Keyboard);
    case Way::MenuByMouse: return chooseFromModMenu(main, ways.menu, MenuWay::Mouse);
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
