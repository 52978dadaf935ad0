// What players' machines do to a switch: another program holding a file of the game folder
// for a moment or for long, and a second launcher switching in the same folder at once.
#include "support/commands.h"
#include "support/fixture.h"
#include "support/input.h"

#include "resources/resource.h"

#include <chrono>
#include <random>
#include <set>

namespace windowtest {
namespace {

// holdfile.exe holding a file of the game folder; ended with the test.
class Holder {
public:
    Holder(const GameFolder& folder, const std::string& file, const wchar_t* mode, int milliseconds)
        : ready_(folder.path() + L".ready") {
        DeleteFileW(ready_.c_str());
        std::wstring commandLine = L"\"" + standInPath(L"holdfile.exe") + L"\" \"" + folder.pathOf(file) + L"\" " +
                                   mode + L" " + std::to_wstring(milliseconds) + L" \"" + ready_ + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION created{};
        if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                           &created)) {
            process_.reset(created.hProcess);
            CloseHandle(created.hThread);
        }
    }
    ~Holder() {
        if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), static_cast<DWORD>(kPatience.count()));
        DeleteFileW(ready_.c_str());
    }
    Holder(const Holder&) = delete;
    Holder& operator=(const Holder&) = delete;

    // True once the file is held.
    bool holds() const {
        return process_ && eventually([&] { return GetFileAttributesW(ready_.c_str()) != INVALID_FILE_ATTRIBUTES; });
    }

private:
    std::wstring ready_;
    Handle process_;
};

struct Hold {
    const char* name;
    const char* file;
    const wchar_t* mode;
    int milliseconds;
    bool switches;  // the switch waits out the hold; else it fails and reports this advice
};

void PrintTo(const Hold& hold, std::ostream* out) { *out << hold.name; }

const std::wstring kInUse =
    L"Another program has this file open: the game, an editor, or a virus scanner. Close it and try again.";

class HeldFileTest : public LauncherTest, public ::testing::WithParamInterface<Hold> {};

TEST_P(HeldFileTest, IsWaitedForOrReportedWithEverythingPutBack) {
    const Hold& hold = GetParam();
    ASSERT_NO_FATAL_FAILURE(startWithStores("2\r\n", "2\r\n"));
    FolderContents after = folder.contents();
    const FolderContents before = after;
    std::optional<Holder> holder(std::in_place, folder, hold.file, hold.mode, hold.milliseconds);
    ASSERT_TRUE(holder->holds()) << "holdfile.exe did not take " << hold.file;

    ASSERT_TRUE(give(main, ModCommand::ActivateZark, Way::Shortcut));
    if (hold.switches) {
        after["rules.ini"] = after.at("zarkrules.ini");
        after["art.ini"] = after.at("zarkart.ini");
        after.erase("zarkrules.ini");
        after.erase("zarkart.ini");
        after["zarkdata.dat"] = "1\r\n";
        EXPECT_TRUE(eventually([&] { return picturesOf(main) == Pictures{true, false, false, true}; }));
        EXPECT_EQ(folder.contents(), after);
        EXPECT_FALSE(messageBoxOf(launcher->id()));
        return;
    }
    const auto box = waitForMessageBox(launcher->id());
    ASSERT_TRUE(box) << "no error report appeared";
    EXPECT_NE(box->text.find(kInUse), std::wstring::npos) << std::string(box->text.begin(), box->text.end());
    EXPECT_EQ(box->text.find(L"write-protected"), std::wstring::npos);
    ASSERT_NO_FATAL_FAILURE(expectErrorReport(hold.file));
    holder.reset();  // the file can be read again
    EXPECT_EQ(folder.contents(), before);
    EXPECT_EQ(picturesOf(main), (Pictures{false, true, false, true}));
}

INSTANTIATE_TEST_SUITE_P(Holds, HeldFileTest,
                         ::testing::Values(
                             // A virus scanner that opens a rule file without sharing it, as renamed files are.
                             Hold{"RuleFileForAMoment", "zarkart.ini", L"open", 300, true},
                             // A reader that shares the store for reading and writing, not for deletion.
                             Hold{"StoreForAMoment", "zarkdata.dat", L"readwrite", 300, true},
                             // Held past the launcher's patience: the first rename is put back.
                             Hold{"RuleFileForLong", "zarkart.ini", L"open", 8000, false},
                             Hold{"StoreForLong", "zarkdata.dat", L"readwrite", 8000, false}),
                         [](const auto& info) { return info.param.name; });

TEST_F(LauncherTest, AnotherSwitcherIsWaitedForThenNamedInAMessage) {
    ASSERT_NO_FATAL_FAILURE(startWithStores("2\r\n", "2\r\n"));
    const FolderContents before = folder.contents();
    const Holder holder(folder, "zarkdata.lock", L"lock", 8000);
    ASSERT_TRUE(holder.holds());
    const auto asked = std::chrono::steady_clock::now();
    ASSERT_TRUE(give(main, ModCommand::ActivateZarkFs, Way::Picture));
    ASSERT_TRUE(waitForMessageBox(launcher->id()));
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - asked);
    EXPECT_GE(waited.count(), 1500) << "the launcher did not wait for the other switcher";
    ASSERT_NO_FATAL_FAILURE(
        expectMessage(L"Another program is switching ZARK in this folder. Try again once it has finished."));
    EXPECT_EQ(folder.contents(), before);
    EXPECT_EQ(picturesOf(main), (Pictures{false, true, false, true}));
}

// Another program switches the folder while the launcher is open: its pictures follow the stores
// within about a second, with no input, and a command given at once sees the stores as they are.
TEST_F(LauncherTest, PicturesFollowTheStoresWhoeverSwitches) {
    ASSERT_NO_FATAL_FAILURE(startWithStores("2\r\n", "2\r\n"));
    const auto shows = [&](const Pictures& expected) {
        return eventually([&] { return picturesOf(main) == expected; }, std::chrono::milliseconds(2000));
    };
    ASSERT_EQ(runZarkswitch(folder.path(), L"activate base"), 0);
    EXPECT_TRUE(shows({true, false, false, true})) << picturesOf(main);
    ASSERT_EQ(runZarkswitch(folder.path(), L"deactivate base"), 0);
    EXPECT_TRUE(shows({false, true, false, true})) << picturesOf(main);
    // A store edited by hand to a value that is neither shows the picture on top, as at start-up.
    folder.write("zarkdata2.dat", "3\r\n");
    EXPECT_TRUE(shows({false, true, true, false})) << picturesOf(main);
    folder.write("zarkdata2.dat", "2\r\n");
    EXPECT_TRUE(shows({false, true, false, true})) << picturesOf(main);

    // Switched behind its back, then asked to switch the other variant at once: refused, and
    // showing what refused it.
    ASSERT_EQ(runZarkswitch(folder.path(), L"activate fs"), 0);
    ASSERT_TRUE(give(main, ModCommand::ActivateZark, Way::Shortcut));
    const auto box = waitForMessageBox(launcher->id());
    ASSERT_TRUE(box);
    EXPECT_EQ(picturesOf(main), (Pictures{false, true, true, false})) << "while the refusal is shown";
    EXPECT_NE(box->text.find(L"ZARK-FIRESTORM IS ACTIVATED!"), std::wstring::npos);
    ASSERT_TRUE(pressOk(*box));
}

// A script that switches from outside, without the lock and without trying again, is never
// refused because the launcher has a store open: the launcher reads once the folder has been
// quiet for a moment, and holds a store open for that read alone. Its indicators still follow,
// within a second of the last switch.
TEST_F(LauncherTest, OutsideSwitchesAreNeverRefusedAndTheIndicatorsFollow) {
    ASSERT_NO_FATAL_FAILURE(startWithStores("2\r\n", "2\r\n"));
    // 31 switches, 250 ms apart: the last one leaves ZARK active.
    EXPECT_EQ(runToEnd(standInPath(L"outsideswitch.exe"), folder.path(), L"31 250 switch", std::chrono::seconds(30)), 0)
        << "steps that the system refused";
    EXPECT_TRUE(eventually(
        [&] {
            return picturesOf(main) == Pictures{true, false, false, true};
        },
        std::chrono::milliseconds(1000)))
        << picturesOf(main);
    EXPECT_FALSE(messageBoxOf(launcher->id()));
}

// After a change of the folder the launcher reads the stores once and goes back to waiting: it
// uses next to no processor time while nothing more happens.
TEST_F(LauncherTest, IdleAgainAfterAFolderChange) {
    ASSERT_NO_FATAL_FAILURE(startWithStores("2\r\n", "2\r\n"));
    folder.write("notes.txt", "a file of the player's\r\n");
    Sleep(500);
    const auto before = launcher->processorTime();
    Sleep(2000);
    const auto after = launcher->processorTime();
    EXPECT_LT((after - before).count(), 200) << "milliseconds of processor time in 2 s, from " << before.count();
}

// The watch ends with its folder when the folder is removed and put back, as a network or
// removable drive that went away and came back: a store changed then goes unseen. A
// command given meanwhile shows what it read, refusal included; and once the window has been
// activated again, the launcher has read the stores and watches the new folder.
TEST_F(LauncherTest, IndicatorsFollowAgainOnceTheFolderIsBackAndTheWindowActive) {
    ASSERT_NO_FATAL_FAILURE(startWithStores("2\r\n", "2\r\n"));
    const Pictures bothInactive{false, true, false, true};
    const Pictures expansionActive{false, true, true, false};
    // An activation starts the watch anew: the window is active, and done with becoming so, before
    // the folder goes; the store is written by the test itself, since a program started meanwhile
    // may take the activation for a moment. The old folder's files go last, and their going may
    // yet wake the watch once: it has read the stores by the time the store is written.
    const auto unseen = [&](const char* expansion, const Pictures& shown) {
        ASSERT_TRUE(bringToFront(main));
        folder.removeAndPutBack();
        Sleep(1500);
        folder.write("zarkdata2.dat", expansion);
        Sleep(1500);
        ASSERT_EQ(picturesOf(main), shown) << "the watch saw the new folder: this test no longer shows what it is for";
    };

    ASSERT_NO_FATAL_FAILURE(unseen("1\r\n", bothInactive));
    ASSERT_TRUE(give(main, ModCommand::ActivateZark, Way::Shortcut));
    const auto box = waitForMessageBox(launcher->id());
    ASSERT_TRUE(box);
    EXPECT_EQ(picturesOf(main), expansionActive) << "while the refusal is shown";
    ASSERT_TRUE(pressOk(*box));

    ASSERT_NO_FATAL_FAILURE(unseen("2\r\n", expansionActive));
    ASSERT_TRUE(chooseByKeyboard(main, 'H', 0));
    const HWND about = waitForWindow(launcher->id(), ZARK_ABOUT_CLASS);
    ASSERT_NE(about, nullptr);
    pressKeys({VK_ESCAPE});
    ASSERT_TRUE(eventually([&] { return !IsWindow(about) && GetForegroundWindow() == main; }));
    EXPECT_TRUE(eventually([&] { return picturesOf(main) == bothInactive; })) << "not read on activation";
    ASSERT_EQ(runZarkswitch(folder.path(), L"activate base"), 0);
    EXPECT_TRUE(eventually(
        [&] {
            return picturesOf(main) == Pictures{true, false, false, true};
        },
        std::chrono::milliseconds(2000)))
        << "not watched again: " << picturesOf(main);
}

// Whether the stores and the rule files agree, with every rule file's content there once.
bool agrees(const FolderContents& contents) {
    const auto store = [&](const char* name) {
        const auto found = contents.find(name);
        return found == contents.end() ? std::string() : found->second;
    };
    const bool base = store("zarkdata.dat") == "1\r\n";
    const bool fs = store("zarkdata2.dat") == "1\r\n";
    if (base && fs) return false;
    const bool rulesActive = base || fs;
    const std::set<std::string> expected{rulesActive ? "rules.ini" : "zarkrules.ini",
                                         rulesActive ? "art.ini" : "zarkart.ini",
                                         fs ? "firestrm.ini" : "zarkfirestrm.ini", "zarkdata.dat", "zarkdata2.dat"};
    std::set<std::string> names;
    for (const auto& [name, bytes] : contents) names.insert(name);
    return names == expected;
}

// Two launchers on one game folder, each given a switch command at the same moment, round
// after round: one switches at a time, and the folder always agrees with its stores.
TEST_F(LauncherTest, TwoLaunchersSwitchingAtOnceLeaveTheFolderAgreeing) {
    ASSERT_NO_FATAL_FAILURE(startWithStores("2\r\n", "2\r\n"));
    const Launcher second(folder.path());
    const HWND secondMain = second.waitForMainWindow();
    ASSERT_NE(secondMain, nullptr);
    const std::pair<HWND, DWORD> launchers[] = {{main, launcher->id()}, {secondMain, second.id()}};
    const UINT commands[] = {IDM_ACTIVATEZARK, IDM_DEACTIVATEZARK, IDM_ACTIVATEZARKFS, IDM_DEACTIVATEZARKFS};
    std::mt19937 random(5);

    for (int round = 1; round <= 30; ++round) {
        // Posted back to back, as close together as two launchers can be given a command;
        // the Help message after each shows that its switch has been handled.
        for (const auto& [window, id] : launchers) {
            PostMessageW(window, WM_COMMAND, commands[random() % 4], 0);
            PostMessageW(window, WM_COMMAND, IDM_VIEWHELP, 0);
        }
        for (const auto& [window, id] : launchers) {
            for (bool helped = false; !helped;) {
                const auto box = waitForMessageBox(id);
                ASSERT_TRUE(box) << "round " << round << ": a launcher did not answer";
                EXPECT_EQ(box->text.find(L"Error"), std::wstring::npos)
                    << "round " << round << ": " << std::string(box->text.begin(), box->text.end());
                helped = box->text == L"Click on F1 to view the help file";
                // The two launchers' boxes lie on top of each other, where a click may hit
                // the wrong one: the box is answered as its OK button would.
                PostMessageW(box->window, WM_COMMAND, IDOK, 0);
                ASSERT_TRUE(eventually([&] { return !IsWindow(box->window) || !IsWindowVisible(box->window); }));
            }
        }
        ASSERT_TRUE(agrees(folder.contents())) << "round " << round;
    }
}

}  // namespace
}  // namespace windowtest
