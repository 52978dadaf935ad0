#include "support/commands.h"

#include "support/input.h"
#include "support/mainwindow.h"

#include <resource.h>

namespace windowtest {
namespace {

struct Ways {
    ModCommand menu;
    WORD shortcut;  // with Ctrl
    int picture;    // the picture whose click gives this command
};

Ways waysOf(Switch command)
{
    switch (command) {
    case Switch::ActivateZark: return {ModCommand::ActivateZark, 'A', IDC_DEACTIVE};
    case Switch::DeactivateZark: return {ModCommand::DeactivateZark, 'D', IDC_ACTIVE};
    case Switch::ActivateZarkFs: return {ModCommand::ActivateZarkFs, 'Z', IDC_FSDEACTIVE};
    case Switch::DeactivateZarkFs: return {ModCommand::DeactivateZarkFs, 'C', IDC_FSACTIVE};
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
    case Way::Picture: return clickPicture(main, ways.picture);
    }
    return false;
}

}  // namespace windowtest
