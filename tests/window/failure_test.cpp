// Failing commands: a rename that fails part-way and a store that cannot be read report the
// error, leave every file as it was and keep the launcher running; where the rule files stand
// elsewhere than the stores say, or the lock file is one no switch can use, the window offers to
// put it right; a disabled main window takes no command at all.
#include "support/commands.h"
#include "support/fixture.h"
#include "support/input.h"
#include "support/screenshot.h"

#include "resources/resource.h"
#include "switching/winstrings.h"

#include <functional>
#include <utility>

namespace windowtest {
namespace {

struct Failure {
    const char* name;
    std::string base;
    std::string expansion;
    std::function<void(const GameFolder&)> spoil;
    ModCommand command;
    const char* reported;  // the file that the error report names
    // The rule files stand elsewhere than the stores say: the report offers repair, which the
    // test declines.
    bool offersRepair = false;
};

void PrintTo(const Failure& parameter, std::ostream* out) { *out << parameter.name; }

class FailingSwitchTest : public LauncherTest, public ::testing::WithParamInterface<Failure> {};

TEST_P(FailingSwitchTest, PutsEverythingBackAndGoesOn) {
    const Failure& failure = GetParam();
    ASSERT_NO_FATAL_FAILURE(startWithStores(failure.base, failure.expansion));
    failure.spoil(folder);
    const FolderContents before = folder.contents();
    const Pictures shown = picturesOf(main);

    ASSERT_TRUE(give(main, failure.command, Way::Shortcut));
    const auto box = waitForMessageBox(launcher->id());
    ASSERT_TRUE(box) << "no error report appeared";
    saveScreenshot(L"error-" + zark::widen(failure.name), {main, box->window});
    if (failure.offersRepair) {
        EXPECT_NE(box->text.find(folder.pathOf(failure.reported)), std::wstring::npos) << "not named";
        const std::wstring question = L"\n\nPut the rule files where zarkdata.dat and zarkdata2.dat say?";
        EXPECT_EQ(box->text.substr(box->text.size() - question.size()), question);
        EXPECT_EQ(box->buttons, (std::vector<std::wstring>{L"&Yes", L"&No"}));
        ASSERT_TRUE(press(*box, IDNO));
    } else {
        ASSERT_NO_FATAL_FAILURE(expectErrorReport(failure.reported));
    }

    ASSERT_TRUE(menuOpens(main));
    EXPECT_TRUE(launcher->running()) << "a failing command must not end the launcher";
    EXPECT_EQ(folder.contents(), before);
    EXPECT_EQ(picturesOf(main), shown);
    EXPECT_FALSE(messageBoxOf(launcher->id()));
}

// The base game's rule files as activation leaves them: renamed from the zark ones.
void activeBase(const GameFolder& folder) {
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
                [](const GameFolder& f) { f.write("art.ini", "; the game's own art\r\n"); }, ModCommand::ActivateZark,
                "art.ini", true},
        // The third rename of the expansion misses its source, after two have been done.
        Failure{"ArtMissingOnExpansionActivation", "2\r\n", "2\r\n",
                [](const GameFolder& f) { f.remove("zarkart.ini"); }, ModCommand::ActivateZarkFs, "zarkart.ini", true},
        Failure{"RulesTakenOnDeactivation", "1\r\n", "2\r\n",
                [](const GameFolder& f) {
                    activeBase(f);
                    f.write("zarkrules.ini", "; a second copy\r\n");
                },
                ModCommand::DeactivateZark, "zarkrules.ini", true},
        // Activation reads both stores before it decides.
        Failure{"ExpansionStoreDeletedWhileRunning", "2\r\n", "2\r\n",
                [](const GameFolder& f) { f.remove("zarkdata2.dat"); }, ModCommand::ActivateZark, "zarkdata2.dat"},
        Failure{"BaseStoreEmptiedWhileRunning", "2\r\n", "2\r\n",
                [](const GameFolder& f) { f.write("zarkdata.dat", ""); }, ModCommand::ActivateZarkFs, "zarkdata.dat"}),
    [](const auto& info) { return info.param.name; });

// A switch cut short left rules.ini where zarkrules.ini belongs, and the stores say off: the next
// switch says what is out of place and offers repair. No leaves everything as it is; Yes puts
// the file where the stores say and says so, the indicators show the stores, and the switch then
// works.
TEST_F(LauncherTest, RuleFilesOutOfPlaceArePutRightFromTheWindow) {
    layOutGame(folder);
    folder.write("rules.ini", *folder.read("zarkrules.ini"));
    folder.remove("zarkrules.ini");
    ASSERT_NO_FATAL_FAILURE(start());
    const FolderContents halfSwitched = folder.contents();
    const Pictures inactive{false, true, false, true};
    const std::wstring offer =
        L"Error 2: File not found.\nFile: " + folder.pathOf("zarkrules.ini") +
        L"\n\nOut of place in the game folder:\nzarkdata.dat and zarkdata2.dat say inactive, but rules.ini is "
        L"there and zarkrules.ini is missing\n\nPut the rule files where zarkdata.dat and zarkdata2.dat say?";

    ASSERT_TRUE(give(main, ModCommand::ActivateZark, Way::Picture));
    ASSERT_NO_FATAL_FAILURE(expectOffer(offer, IDNO));
    ASSERT_TRUE(menuOpens(main));
    EXPECT_FALSE(messageBoxOf(launcher->id()));
    EXPECT_EQ(folder.contents(), halfSwitched);

    ASSERT_TRUE(give(main, ModCommand::ActivateZark, Way::Picture));
    ASSERT_NO_FATAL_FAILURE(expectOffer(offer, IDYES));
    ASSERT_NO_FATAL_FAILURE(
        expectMessage(L"Renamed rules.ini to zarkrules.ini\nThe rule files agree with the stores."));
    EXPECT_EQ(folder.contents(), renamed(halfSwitched, {{"rules.ini", "zarkrules.ini"}}));
    EXPECT_EQ(picturesOf(main), inactive);

    ASSERT_TRUE(give(main, ModCommand::ActivateZark, Way::Picture));
    EXPECT_TRUE(eventually([&] { return picturesOf(main) == Pictures{true, false, false, true}; }));
    EXPECT_EQ(folder.read("zarkdata.dat"), "1\r\n");
    EXPECT_TRUE(folder.exists("rules.ini") && folder.exists("art.ini"));
}

// A lock file that no switch can use (here an empty folder) is offered to be cleared away; Yes
// removes it and carries out the switch asked for, which makes the lock file anew.
TEST_F(LauncherTest, AnUnusableLockFileIsClearedAwayAndTheSwitchDone) {
    layOutGame(folder);
    const std::wstring lock = folder.pathOf("zarkdata.lock");
    ASSERT_TRUE(CreateDirectoryW(lock.c_str(), nullptr));
    ASSERT_NO_FATAL_FAILURE(start());

    ASSERT_TRUE(give(main, ModCommand::ActivateZark, Way::Shortcut));
    ASSERT_NO_FATAL_FAILURE(expectOffer(
        L"Error 75: Path/File access error: a folder, not a file\nFile: " + lock +
            L"\n\nzarkdata.lock only holds the switch lock, and the next switch makes it anew as a plain file. A "
            L"folder is removed only if it is empty.\n\nRemove zarkdata.lock and switch now?",
        IDYES));

    EXPECT_TRUE(eventually([&] { return picturesOf(main) == Pictures{true, false, false, true}; }));
    EXPECT_EQ(folder.read("zarkdata.dat"), "1\r\n");
    const DWORD attributes = GetFileAttributesW(lock.c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        << "the switch did not make the lock file anew";
    EXPECT_FALSE(messageBoxOf(launcher->id()));
}

TEST_F(LauncherTest, DisabledWindowTakesNoShortcutAndNoClick) {
    ASSERT_NO_FATAL_FAILURE(startWithStores("2\r\n", "2\r\n"));
    const FolderContents before = folder.contents();
    const Pictures shown = picturesOf(main);

    EnableWindow(main, FALSE);
    ASSERT_TRUE(eventually([&] { return !IsWindowEnabled(main); }));
    ASSERT_TRUE(give(main, ModCommand::ActivateZark, Way::Shortcut));
    ASSERT_TRUE(give(main, ModCommand::ActivateZarkFs, Way::Picture));
    // Handled while the window is still disabled: enabled before, the input would act.
    ASSERT_TRUE(inputHandled(main));
    EXPECT_FALSE(messageBoxOf(launcher->id()));
    EXPECT_EQ(folder.contents(), before);
    EXPECT_EQ(picturesOf(main), shown);

    // Enabled again, the same shortcut acts: the input did reach the window.
    EnableWindow(main, TRUE);
    ASSERT_TRUE(give(main, ModCommand::ActivateZark, Way::Shortcut));
    EXPECT_TRUE(eventually([&] { return picturesOf(main) == Pictures{true, false, false, true}; }));
    EXPECT_EQ(folder.read("zarkdata.dat"), "1\r\n");
}

}  // namespace
}  // namespace windowtest
