// Failing commands: a rename that fails part-way and a store that cannot be read report the
// error, leave every file as it was and keep the launcher running; a disabled main window
// takes no command at all.
#include "support/commands.h"
#include "support/fixture.h"
#include "support/input.h"
#include "support/screenshot.h"

#include <resource.h>
#include <winstrings.h>

#include <functional>
#include <utility>

namespace windowtest {
namespace {

struct Failure {
    const char* name;
    std::string base;
    std::string expansion;
    std::function<void(const GameFolder&)> spoil;
    Switch command;
    const char* reported;  // the file that the error report names
};

void PrintTo(const Failure& parameter, std::ostream* out) { *out << parameter.name; }

class FailingSwitchTest : public LauncherTest, public ::testing::WithParamInterface<Failure> {};

TEST_P(FailingSwitchTest, PutsEverythingBackAndGoesOn)
{
    const Failure& failure = GetParam();
    ASSERT_NO_FATAL_FAILURE(startWithStores(failure.base, failure.expansion));
    failure.spoil(folder);
    const FolderContents before = folder.contents();
    const Pictures shown = picturesOf(main);

    ASSERT_TRUE(give(main, failure.command, Way::Shortcut));
    const auto box = waitForMessageBox(launcher->id());
    ASSERT_TRUE(box) << "no error report appeared";
    saveScreenshot(L"error-" + zark::widen(failure.name), {main, box->window});
    ASSERT_NO_FATAL_FAILURE(expectErrorReport(failure.reported));

    ASSERT_TRUE(menuOpens(main));
    EXPECT_TRUE(launcher->running()) << "a failing command must not end the launcher";
    EXPECT_EQ(folder.contents(), before);
    EXPECT_EQ(picturesOf(main), shown);
    EXPECT_FALSE(messageBoxOf(launcher->id()));
}

// The base game's rule files as activation leaves them: renamed from the zark ones.
void activeBase(const GameFolder& folder)
{
    for (const auto& [from, to] : {std::pair{"zarkrules.ini", "rules.ini"}, {"zarkart.ini", "art.ini"}}) {
        folder.write(to, *folder.read(from));
        folder.remove(from);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Steps, FailingSwitchTest,
    ::testing::Values(
        // The second rename finds its target taken, after the first has been done.
        Failure{"ArtTakenOnActivation", "2\r\n", "2\r\n",
                [](const GameFolder& f) { f.write("art.ini", "; the game's own art\r\n"); },
                Switch::ActivateZark, "art.ini"},
        // The third rename of the expansion misses its source, after two have been done.
        Failure{"ArtMissingOnExpansionActivation", "2\r\n", "2\r\n",
                [](const GameFolder& f) { f.remove("zarkart.ini"); }, Switch::ActivateZarkFs, "zarkart.ini"},
        Failure{"RulesTakenOnDeactivation", "1\r\n", "2\r\n",
                [](const GameFolder& f) {
                    activeBase(f);
                    f.write("zarkrules.ini", "; a second copy\r\n");
                },
                Switch::DeactivateZark, "zarkrules.ini"},
        // Activation reads both stores before it decides.
        Failure{"ExpansionStoreDeletedWhileRunning", "2\r\n", "2\r\n",
                [](const GameFolder& f) { f.remove("zarkdata2.dat"); }, Switch::ActivateZark, "zarkdata2.dat"},
        Failure{"BaseStoreEmptiedWhileRunning", "2\r\n", "2\r\n",
                [](const GameFolder& f) { f.write("zarkdata.dat", ""); }, Switch::ActivateZarkFs, "zarkdata.dat"}),
    [](const auto& info) { return info.param.name; });

TEST_F(LauncherTest, DisabledWindowTakesNoShortcutAndNoClick)
{
    ASSERT_NO_FATAL_FAILURE(startWithStores("2\r\n", "2\r\n"));
    const FolderContents before = folder.contents();
    const Pictures shown = picturesOf(main);

    EnableWindow(main, FALSE);
    ASSERT_TRUE(eventually([&] { return !IsWindowEnabled(main); }));
    ASSERT_TRUE(give(main, Switch::ActivateZark, Way::Shortcut));
    ASSERT_TRUE(give(main, Switch::ActivateZarkFs, Way::Picture));
    // Handled while the window is still disabled: enabled before, the input would act.
    ASSERT_TRUE(inputHandled(main));
    EXPECT_FALSE(messageBoxOf(launcher->id()));
    EXPECT_EQ(folder.contents(), before);
    EXPECT_EQ(picturesOf(main), shown);

    // Enabled again, the same shortcut acts: the input did reach the window.
    EnableWindow(main, TRUE);
    ASSERT_TRUE(give(main, Switch::ActivateZark, Way::Shortcut));
    EXPECT_TRUE(eventually([&] { return picturesOf(main) == Pictures{true, false, false, true}; }));
    EXPECT_EQ(folder.read("zarkdata.dat"), "1\r\n");
}

}  // namespace
}  // namespace windowtest
