// Start-up: the pictures that each stored state shows, named and drawn, a store that cannot be
// read, the input method turned off, and Exit.
#include "support/fixture.h"
#include "support/input.h"

#include "resources/resource.h"
#include "switching/winstrings.h"

namespace windowtest {
namespace {

struct StoredState {
    const char* name;
    std::string base;
    std::string expansion;
    Pictures shown;
};

void PrintTo(const StoredState& parameter, std::ostream* out) { *out << parameter.name; }

class StartupTest : public LauncherTest, public ::testing::WithParamInterface<StoredState> {};

TEST_P(StartupTest, ShowsOnePictureOfEachPairAndWritesNothing) {
    const StoredState& state = GetParam();
    layOutGame(folder, state.base, state.expansion);
    const FolderContents before = folder.contents();
    ASSERT_NO_FATAL_FAILURE(start());

    EXPECT_EQ(picturesOf(main), state.shown);
    EXPECT_TRUE(bringToFront(main));
    EXPECT_TRUE(eventually([&] { return picturesDrawn(main) == state.shown; })) << picturesDrawn(main);
    EXPECT_FALSE(messageBoxOf(launcher->id()));
    EXPECT_EQ(folder.contents(), before) << "start-up must never write the store";
}

INSTANTIATE_TEST_SUITE_P(
    StoredValues, StartupTest,
    ::testing::Values(StoredState{"BothInactive", "2\r\n", "2\r\n", {false, true, false, true}},
                      StoredState{"BaseActive", "1\r\n", "2\r\n", {true, false, false, true}},
                      StoredState{"ExpansionActive", "2\r\n", "1\r\n", {false, true, true, false}},
                      // An empty first line reads as 0, which start-up shows as inactive without writing it.
                      StoredState{"EmptyFirstLine", "\r\n2\r\n", "2\r\n", {false, true, false, true}},
                      StoredState{"NoLineBreak", "1", "2", {true, false, false, true}},
                      // A value other than 0, 1 and 2 shows the ACTIVATED picture, which lies on top.
                      StoredState{"UnknownValue", "3\r\n", "2\r\n", {true, false, false, true}}),
    [](const auto& info) { return info.param.name; });

struct UnreadableStore {
    const char* name;
    const char* file;
    std::optional<std::string> bytes;  // none: the file is missing
    std::wstring advice;               // what the report says after the file
    bool gameFolder = true;            // else the folder holds nothing of the game's
};

// What the report adds for a store of either variant: what to write in it.
const std::wstring kWriteBase = L". If ZARK is off, make zarkdata.dat hold the single line 2 (1 if it is on).";
const std::wstring kWriteFs = L". If ZARK-FS is off, make zarkdata2.dat hold the single line 2 (1 if it is on).";

void PrintTo(const UnreadableStore& parameter, std::ostream* out) { *out << parameter.name; }

class StoreUnreadableTest : public LauncherTest, public ::testing::WithParamInterface<UnreadableStore> {};

TEST_P(StoreUnreadableTest, ReportsTheFileAndEndsWithoutShowingTheWindow) {
    const UnreadableStore& store = GetParam();
    if (store.gameFolder) layOutGame(folder);
    if (store.bytes)
        folder.write(store.file, *store.bytes);
    else if (store.gameFolder)
        folder.remove(store.file);
    const FolderContents before = folder.contents();
    launcher.emplace(folder.path());

    const auto box = waitForMessageBox(launcher->id());
    ASSERT_TRUE(box) << "no error report appeared";
    const std::wstring advice = L"\n\n" + store.advice;
    EXPECT_EQ(box->text.substr(box->text.size() - std::min(box->text.size(), advice.size())), advice)
        << zark::narrow(box->text);
    // By its full path, which says in which folder the launcher looked.
    ASSERT_NO_FATAL_FAILURE(expectErrorReport(zark::narrow(folder.pathOf(store.file))));
    EXPECT_TRUE(launcher->exitsWithin(kPatience));
    EXPECT_TRUE(windowsOf(launcher->id(), ZARK_MAIN_CLASS).empty());
    EXPECT_EQ(folder.contents(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Stores, StoreUnreadableTest,
    ::testing::Values(
        UnreadableStore{"ExpansionMissing", "zarkdata2.dat", std::nullopt, L"zarkdata2.dat is missing" + kWriteFs},
        UnreadableStore{"BaseEmpty", "zarkdata.dat", "", L"zarkdata.dat is empty" + kWriteBase},
        UnreadableStore{"BaseOverflow", "zarkdata.dat", "40000\r\n",
                        L"zarkdata.dat holds a number out of range" + kWriteBase},
        // A shortcut without "Start in": the working folder is some other folder.
        UnreadableStore{"OutsideTheGameFolder", "zarkdata.dat", std::nullopt,
                        L"ZARK Launcher must be started in the game folder, beside sun.exe. If you start it from a "
                        L"shortcut, write the game folder into the shortcut's \"Start in\" field.",
                        false}),
    [](const auto& info) { return info.param.name; });

// Whether the thread of `window` has an input method's window, which Windows and Wine make
// hidden for each thread that the input method serves.
bool hasInputMethod(HWND window) {
    bool found = false;
    EnumThreadWindows(
        GetWindowThreadProcessId(window, nullptr),
        [](HWND each, LPARAM context) {
            wchar_t name[16] = L"";
            if (GetClassNameW(each, name, 16) && std::wstring(name) == L"IME") *reinterpret_cast<bool*>(context) = true;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// The launcher takes no text and turns the input method off as it starts: its thread has none,
// while the boxes that it opens are open too. The keys work all the same: Space presses an
// indicator, Enter closes a message box and Escape the About box.
TEST_F(LauncherTest, TakesKeysWithTheInputMethodOff) {
    ASSERT_NO_FATAL_FAILURE(startWithStores("2\r\n", "2\r\n"));
    ASSERT_TRUE(tabTo(main, IDC_MODSTATUS));
    pressKeys({VK_SPACE});
    EXPECT_TRUE(eventually([&] { return picturesOf(main) == Pictures{true, false, false, true}; }));

    ASSERT_TRUE(bringToFront(main));
    pressKeys({VK_CONTROL, 'A'});
    const auto box = waitForMessageBox(launcher->id());
    ASSERT_TRUE(box) << "no message box appeared";
    EXPECT_EQ(box->text, L"ZARK is already activated!");
    EXPECT_FALSE(hasInputMethod(main));
    ASSERT_TRUE(bringToFront(box->window));
    pressKeys({VK_RETURN});
    EXPECT_TRUE(eventually([&] { return !IsWindow(box->window); }));

    ASSERT_TRUE(chooseByKeyboard(main, 'H', 0));
    const HWND about = waitForWindow(launcher->id(), ZARK_ABOUT_CLASS);
    ASSERT_NE(about, nullptr) << "the About box did not open";
    EXPECT_FALSE(hasInputMethod(main));
    ASSERT_TRUE(bringToFront(about));
    pressKeys({VK_ESCAPE});
    EXPECT_TRUE(eventually([&] { return !IsWindow(about) && IsWindowEnabled(main); }));
    EXPECT_TRUE(launcher->running());
}

TEST_F(LauncherTest, ExitEndsTheProgramAndWritesNothing) {
    ASSERT_NO_FATAL_FAILURE(startWithStores("1\r\n", "2\r\n"));
    const FolderContents before = folder.contents();
    const FILETIME baseTime = folder.modified("zarkdata.dat");
    const FILETIME expansionTime = folder.modified("zarkdata2.dat");

    ASSERT_TRUE(bringToFront(main));
    pressKeys({VK_CONTROL, 'Q'});

    EXPECT_TRUE(launcher->exitsWithin(kPatience));
    EXPECT_EQ(folder.contents(), before);
    const FILETIME baseAfter = folder.modified("zarkdata.dat");
    const FILETIME expansionAfter = folder.modified("zarkdata2.dat");
    EXPECT_EQ(CompareFileTime(&baseTime, &baseAfter), 0);
    EXPECT_EQ(CompareFileTime(&expansionTime, &expansionAfter), 0);
}

TEST_F(LauncherTest, ExitFromTheMenuEndsTheProgram) {
    ASSERT_NO_FATAL_FAILURE(startWithStores("2\r\n", "2\r\n"));
    const FolderContents before = folder.contents();
    ASSERT_TRUE(chooseFromModMenu(main, ModCommand::Exit, MenuWay::Keyboard));
    EXPECT_TRUE(launcher->exitsWithin(kPatience));
    EXPECT_EQ(folder.contents(), before);
}

}  // namespace
}  // namespace windowtest
