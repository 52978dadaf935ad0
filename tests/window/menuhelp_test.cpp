// F1 while a menu of the main window is open: the menu's own loop takes the key, and the
// help file opens all the same.
#include "support/fixture.h"
#include "support/input.h"

namespace windowtest {
namespace {

class MenuHelpTest : public LauncherTest {};

TEST_F(MenuHelpTest, F1InTheOpenModMenuOpensTheHelpFileOfTheGameFolder) {
    layOutGame(folder);
    // Not a help file the viewer can read: it names the file it failed on.
    folder.write("zarkhelp.hlp", "not a help file");
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_TRUE(bringToFront(main));
    pressKeys({VK_MENU, 'M'});
    ASSERT_TRUE(eventually([&] { return !windowsOf(launcher->id(), L"#32768").empty(); }))
        << "the Mod menu did not open";

    pressKeys({VK_F1});
    const HWND viewer =
        eventually([&] { return dialogOfAnotherProgram(launcher->id(), folder.path() + L"\\zarkhelp.hlp"); });
    ASSERT_NE(viewer, nullptr) << "the help viewer did not open the game folder's zarkhelp.hlp";
    const OutsideProgram program(viewer);
    EXPECT_FALSE(messageBoxOf(launcher->id()));
}

}  // namespace
}  // namespace windowtest
