// The four switches given by menu (keyboard and mouse), shortcut and indicator (clicked, pressed
// with Space, pressed as a screen reader does): the files they rename, the store bytes they
// write, the pictures and names of the indicators, and their refusals; and the keyboard's way
// round the indicators.
#include "support/commands.h"
#include "support/fixture.h"
#include "support/input.h"
#include "support/screenshot.h"

#include "resources/resource.h"
#include "switching/winstrings.h"

#include <tuple>
#include <utility>
#include <vector>

namespace windowtest {
namespace {

// What the folder holds after the renames and the store write of a successful switch.
FolderContents afterSwitch(const FolderContents& contents, const Renames& renames, const std::string& store,
                           const std::string& bytes) {
    FolderContents after = renamed(contents, renames);
    after[store] = bytes;
    return after;
}

struct Variant {
    const char* name;
    ModCommand activate;
    ModCommand deactivate;
    const char* store;
    Renames renames;  // activation's, in order
    Pictures active;  // shown once the variant is active, from both inactive
    const wchar_t* screenshot;
};

const Variant kBase{"Base",
                    ModCommand::ActivateZark,
                    ModCommand::DeactivateZark,
                    "zarkdata.dat",
                    {{"zarkrules.ini", "rules.ini"}, {"zarkart.ini", "art.ini"}},
                    {true, false, false, true},
                    L"base-active"};
const Variant kExpansion{
    "Expansion",
    ModCommand::ActivateZarkFs,
    ModCommand::DeactivateZarkFs,
    "zarkdata2.dat",
    {{"zarkfirestrm.ini", "firestrm.ini"}, {"zarkrules.ini", "rules.ini"}, {"zarkart.ini", "art.ini"}},
    {false, true, true, false},
    L"expansion-active"};

void PrintTo(const Variant& variant, std::ostream* out) { *out << variant.name; }

Renames reversed(const Renames& renames) {
    Renames back;
    for (const auto& [from, to] : renames) back.emplace_back(to, from);
    return back;
}

class SwitchTest : public LauncherTest, public ::testing::WithParamInterface<std::tuple<Variant, Way>> {};

// The names say what the pictures show; with the mouse, the pixels are the pictures' own (Space
// leaves the focus rectangle on the indicator pressed).
TEST_P(SwitchTest, ActivatesAndDeactivates) {
    const auto& [variant, way] = GetParam();
    ASSERT_NO_FATAL_FAILURE(startWithStores("2\r\n", "2\r\n"));
    const Pictures inactive{false, true, false, true};
    const auto shows = [&](const Pictures& expected) {
        return eventually(
            [&] { return picturesOf(main) == expected && (way == Way::Space || picturesDrawn(main) == expected); });
    };
    ASSERT_TRUE(shows(inactive)) << picturesOf(main) << ", drawn " << picturesDrawn(main);
    const FolderContents installed = folder.contents();
    if (way == Way::Picture) saveScreenshot(L"both-inactive", {main});

    ASSERT_TRUE(give(main, variant.activate, way));
    const FolderContents active = afterSwitch(installed, variant.renames, variant.store, "1\r\n");
    EXPECT_TRUE(shows(variant.active)) << "activation did not complete: " << picturesOf(main) << ", drawn "
                                       << picturesDrawn(main);
    EXPECT_EQ(folder.contents(), active);
    if (way == Way::Picture) saveScreenshot(variant.screenshot, {main});

    ASSERT_TRUE(give(main, variant.deactivate, way));
    const FolderContents inactiveAgain = afterSwitch(active, reversed(variant.renames), variant.store, "2\r\n");
    EXPECT_TRUE(shows(inactive)) << "deactivation did not complete: " << picturesOf(main) << ", drawn "
                                 << picturesDrawn(main);
    EXPECT_EQ(folder.contents(), inactiveAgain);
    EXPECT_FALSE(messageBoxOf(launcher->id()));
}

INSTANTIATE_TEST_SUITE_P(Ways, SwitchTest,
                         ::testing::Combine(::testing::Values(kBase, kExpansion),
                                            ::testing::Values(Way::MenuByKeyboard, Way::MenuByMouse, Way::Shortcut,
                                                              Way::Picture, Way::Space, Way::ScreenReader)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + nameOf(std::get<1>(info.param));
                         });

const std::wstring kM1 = L"ZARK is already activated!";
const std::wstring kM2 =
    L"If you have firestorm installed you should use Activate ZARKFS if you dont have firestorm "
    L"installed use the apply ZARK button. If you use apply ZARKFS and dont have FS installed there is "
    L"a possiblity that TS will crash. ZARK-FIRESTORM IS ACTIVATED!";
const std::wstring kM3 = L"ZARK is already DEactivated!";
const std::wstring kM4 = L"ZARK-FS is already activated!";
const std::wstring kM5 =
    L"If you have firestorm installed you should use Activate ZARKFS if you dont have firestorm "
    L"installed use the apply ZARK button. If you use apply ZARKFS and dont have FS installed there is "
    L"a possiblity that TS will crash.ZARK-TS IS ACTIVATED!";
const std::wstring kM6 = L"ZARK-FS is already deactivated!";

// The keyboard's way round the indicators: the ZARK indicator has the focus from the start, so
// the first key acts, with no focus rectangle until the keyboard moves the focus; Up and Left go
// to the ZARK indicator, Down and Right to the ZARK-FS one, Tab and Shift+Tab between them; Enter
// and Space press the focused one, which keeps the focus under its new name; and the focus comes
// back to the indicator that had it when a message box closes.
TEST_F(LauncherTest, KeyboardMovesBetweenTheIndicatorsAndPressesThem) {
    ASSERT_NO_FATAL_FAILURE(startWithStores("2\r\n", "2\r\n"));
    const HWND zark = GetDlgItem(main, IDC_MODSTATUS);
    const HWND zarkfs = GetDlgItem(main, IDC_FSMODSTATUS);
    ASSERT_TRUE(bringToFront(main));
    EXPECT_TRUE(eventually([&] { return focusOf(main) == zark; })) << "the ZARK indicator has no focus at start";
    EXPECT_TRUE(eventually([&] {
        return picturesDrawn(main) == Pictures{false, true, false, true};
    })) << picturesDrawn(main);

    pressKeys({VK_RETURN});
    EXPECT_TRUE(eventually([&] {
        return picturesOf(main) == Pictures{true, false, false, true};
    })) << "the first key did nothing: "
        << picturesOf(main);
    EXPECT_EQ(folder.read("zarkdata.dat"), "1\r\n");
    EXPECT_TRUE(folder.exists("rules.ini") && folder.exists("art.ini"));
    EXPECT_EQ(focusOf(main), zark);

    pressKeys({VK_DOWN});
    ASSERT_TRUE(eventually([&] { return focusOf(main) == zarkfs; }));
    pressKeys({VK_SPACE});
    ASSERT_NO_FATAL_FAILURE(expectMessage(kM5));
    EXPECT_TRUE(eventually([&] { return focusOf(main) == zarkfs; })) << "the focus did not come back";
    pressKeys({VK_UP});
    ASSERT_TRUE(eventually([&] { return focusOf(main) == zark; }));
    pressKeys({VK_SPACE});
    EXPECT_TRUE(eventually([&] { return picturesOf(main) == Pictures{false, true, false, true}; }));

    pressKeys({VK_RIGHT});
    EXPECT_TRUE(eventually([&] { return focusOf(main) == zarkfs; }));
    pressKeys({VK_LEFT});
    EXPECT_TRUE(eventually([&] { return focusOf(main) == zark; }));
    EXPECT_TRUE(eventually([&] {
        return picturesDrawn(main) == Pictures{false, false, false, true};
    })) << "no focus rectangle on the ZARK indicator: "
        << picturesDrawn(main);
    saveScreenshot(L"launcher-focused", {main});

    pressKeys({VK_TAB});
    EXPECT_TRUE(eventually([&] { return focusOf(main) == zarkfs; }));
    pressKeys({VK_SHIFT, VK_TAB});
    EXPECT_TRUE(eventually([&] { return focusOf(main) == zark; }));
}

struct Refusal {
    const char* name;
    std::string base;
    std::string expansion;
    ModCommand command;
    Way way;
    const std::wstring* message;  // none: the command does nothing at all
};

void PrintTo(const Refusal& refusal, std::ostream* out) { *out << refusal.name; }

class RefusalTest : public LauncherTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(RefusalTest, ChangesNothing) {
    const Refusal& refusal = GetParam();
    ASSERT_NO_FATAL_FAILURE(startWithStores(refusal.base, refusal.expansion));
    const FolderContents before = folder.contents();
    const Pictures shown = picturesOf(main);

    ASSERT_TRUE(give(main, refusal.command, refusal.way));
    if (refusal.message) {
        const auto box = waitForMessageBox(launcher->id());
        ASSERT_TRUE(box);
        saveScreenshot(L"refusal-" + zark::widen(refusal.name), {main, box->window});
        ASSERT_NO_FATAL_FAILURE(expectMessage(*refusal.message));
    } else {
        ASSERT_TRUE(menuOpens(main));
        EXPECT_FALSE(messageBoxOf(launcher->id()));
    }
    EXPECT_EQ(folder.contents(), before);
    EXPECT_EQ(picturesOf(main), shown);
}

INSTANTIATE_TEST_SUITE_P(
    Guards, RefusalTest,
    ::testing::Values(
        Refusal{"M1AlreadyActive", "1\r\n", "2\r\n", ModCommand::ActivateZark, Way::Shortcut, &kM1},
        Refusal{"M2ExpansionActive", "2\r\n", "1\r\n", ModCommand::ActivateZark, Way::Picture, &kM2},
        Refusal{"M3AlreadyInactive", "2\r\n", "2\r\n", ModCommand::DeactivateZark, Way::Shortcut, &kM3},
        Refusal{"M3WhileExpansionActive", "2\r\n", "1\r\n", ModCommand::DeactivateZark, Way::MenuByKeyboard, &kM3},
        Refusal{"M4AlreadyActive", "2\r\n", "1\r\n", ModCommand::ActivateZarkFs, Way::MenuByMouse, &kM4},
        Refusal{"M4BeforeM5", "1\r\n", "1\r\n", ModCommand::ActivateZarkFs, Way::Shortcut, &kM4},
        Refusal{"M5BaseActive", "1\r\n", "2\r\n", ModCommand::ActivateZarkFs, Way::Picture, &kM5},
        Refusal{"M6AlreadyInactive", "2\r\n", "2\r\n", ModCommand::DeactivateZarkFs, Way::Shortcut, &kM6},
        // A store whose first line is empty reads as 0, from which no switch acts.
        Refusal{"NotSetActivate", "\r\n", "2\r\n", ModCommand::ActivateZark, Way::Picture, nullptr},
        Refusal{"NotSetDeactivate", "\r\n", "2\r\n", ModCommand::DeactivateZark, Way::Shortcut, nullptr},
        Refusal{"NotSetWhileExpansionActive", "\r\n", "1\r\n", ModCommand::ActivateZark, Way::Shortcut, &kM2}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace windowtest
