// The commands that hand work to other programs: the game, Notepad with the documents, the
// browser through the shell, the help message and the help viewer.
#include "support/commands.h"
#include "support/fixture.h"
#include "support/input.h"
#include "support/registry.h"

#include "resources/resource.h"
#include "switching/winstrings.h"

#include <optional>
#include <stdexcept>

namespace windowtest {
namespace {

std::wstring wide(const std::string& bytes) {
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
}

std::vector<std::wstring> split(const std::wstring& line) {
    std::vector<std::wstring> fields;
    size_t start = 0;
    for (size_t tab; (tab = line.find(L'\t', start)) != std::wstring::npos; start = tab + 1)
        fields.push_back(line.substr(start, tab - start));
    fields.push_back(line.substr(start));
    return fields;
}

// The records that the stand-in game has written, one for each start, once each is complete.
std::vector<std::vector<std::wstring>> gameStarts(const GameFolder& folder) {
    std::vector<std::vector<std::wstring>> starts;
    for (const auto& [name, bytes] : folder.contents()) {
        if (name.rfind("sun-", 0) != 0) continue;
        starts.push_back(split(wide(bytes)));
        if (starts.back().size() != 3) return {};
    }
    return starts;
}

class CommandsTest : public LauncherTest {
protected:
    void SetUp() override { layOutGame(folder); }
};

TEST_F(CommandsTest, RunTiberianSunStartsTheGameEachTime) {
    ASSERT_TRUE(CopyFileW(standInPath(L"sun.exe").c_str(), folder.pathOf("sun.exe").c_str(), TRUE));
    ASSERT_NO_FATAL_FAILURE(start());

    ASSERT_TRUE(chooseFromModMenu(main, ModCommand::Run, MenuWay::Keyboard));
    ASSERT_TRUE(eventually([&] { return gameStarts(folder).size() == 1; }));
    ASSERT_TRUE(bringToFront(main));
    pressKeys({VK_CONTROL, 'R'});
    ASSERT_TRUE(eventually([&] { return gameStarts(folder).size() == 2; }));

    for (const auto& start : gameStarts(folder)) {
        EXPECT_EQ(start[0], L"sun.exe") << "the command line";
        EXPECT_EQ(_wcsicmp(start[1].c_str(), folder.path().c_str()), 0) << "the working folder";
        EXPECT_EQ(start[2], L"1") << "a normal window with the focus";
    }
    // The launcher goes on: a switch still works.
    EXPECT_FALSE(messageBoxOf(launcher->id()));
    ASSERT_TRUE(give(main, ModCommand::ActivateZark, Way::Shortcut));
    EXPECT_TRUE(eventually([&] { return picturesOf(main) == Pictures{true, false, false, true}; }));
    EXPECT_EQ(folder.read("zarkdata.dat"), "1\r\n");
}

// A sun.exe in the Windows folder, where the system's search for programs would find it; ended
// and removed with the test, with what it recorded.
class GameElsewhere {
public:
    GameElsewhere() {
        wchar_t windows[MAX_PATH];
        const UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
        folder_ = std::wstring(windows, length);
        if (length == 0 || !CopyFileW(standInPath(L"sun.exe").c_str(), (folder_ + L"\\sun.exe").c_str(), TRUE))
            throw std::runtime_error("cannot put a sun.exe into the Windows folder");
    }
    ~GameElsewhere() {
        DeleteFileW((folder_ + L"\\sun.exe").c_str());
        for (const auto& record : starts()) DeleteFileW((folder_ + L"\\" + record).c_str());
    }
    GameElsewhere(const GameElsewhere&) = delete;
    GameElsewhere& operator=(const GameElsewhere&) = delete;

    // The records of its starts.
    std::vector<std::wstring> starts() const {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found;
        const HANDLE search = FindFirstFileW((folder_ + L"\\sun-*.txt").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do names.push_back(found.cFileName);
        while (FindNextFileW(search, &found));
        FindClose(search);
        return names;
    }

private:
    std::wstring folder_;
};

struct BadGame {
    const char* name;
    std::optional<std::string> bytes;  // the game folder's sun.exe; none: there is none
};

void PrintTo(const BadGame& game, std::ostream* out) { *out << game.name; }

class BadGameTest : public CommandsTest, public ::testing::WithParamInterface<BadGame> {};

// Only the game folder's sun.exe may start; when it cannot, the report names it by its full path
// and fills in what the system's text leaves open.
TEST_P(BadGameTest, RunTiberianSunStartsNoOtherGameAndReportsTheGameFolders) {
    const GameElsewhere elsewhere;
    if (GetParam().bytes) folder.write("sun.exe", *GetParam().bytes);
    ASSERT_NO_FATAL_FAILURE(start());
    const FolderContents before = folder.contents();
    ASSERT_TRUE(bringToFront(main));
    pressKeys({VK_CONTROL, 'R'});
    const auto box = waitForMessageBox(launcher->id());
    ASSERT_TRUE(box) << "no error report appeared";
    EXPECT_EQ(box->text.find(L'%'), std::wstring::npos) << zark::narrow(box->text);
    const std::wstring noGame =
        L"The game folder holds no sun.exe. ZARK Launcher belongs in the game folder, beside sun.exe.";
    EXPECT_EQ(box->text.find(noGame) != std::wstring::npos, !GetParam().bytes) << zark::narrow(box->text);
    ASSERT_NO_FATAL_FAILURE(expectErrorReport(zark::narrow(folder.pathOf("sun.exe"))));
    ASSERT_TRUE(menuOpens(main));
    EXPECT_TRUE(launcher->running());
    EXPECT_EQ(folder.contents(), before);
    EXPECT_TRUE(elsewhere.starts().empty()) << "the Windows folder's sun.exe was started";
}

INSTANTIATE_TEST_SUITE_P(Games, BadGameTest,
                         ::testing::Values(BadGame{"Missing", std::nullopt}, BadGame{"NoProgram", "not a program"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct Document {
    const char* name;
    const char* file;
    WORD shortcut;
    int menuIndex;  // in the "&Documents" menu
};

class DocumentTest : public CommandsTest, public ::testing::WithParamInterface<std::tuple<Document, bool>> {};

// A present document is opened by its shortcut, a missing one from the menu.
TEST_P(DocumentTest, OpensNotepadMinimisedOnTheDocument) {
    const auto& [document, present] = GetParam();
    const std::wstring file = zark::widen(document.file);
    const std::string text = std::string("The text of ") + document.file + "\r\n";
    if (present) folder.write(document.file, text);
    ASSERT_NO_FATAL_FAILURE(start());

    if (present) {
        ASSERT_TRUE(bringToFront(main));
        pressKeys({document.shortcut});
    } else {
        ASSERT_TRUE(chooseByKeyboard(main, 'D', document.menuIndex));
    }
    const HWND notepad = waitForWindow(0, L"Notepad");
    ASSERT_NE(notepad, nullptr) << "Notepad did not open";
    const OutsideProgram program(notepad);
    EXPECT_TRUE(IsIconic(notepad)) << "Notepad opens minimised";
    if (present) {
        EXPECT_NE(windowText(notepad).find(file), std::wstring::npos) << "Notepad shows " << document.file;
        EXPECT_EQ(windowText(FindWindowExW(notepad, nullptr, L"Edit", nullptr)), zark::widen(text));
    } else {
        // Notepad itself says that the document does not exist.
        EXPECT_TRUE(eventually([&] { return dialogOfAnotherProgram(launcher->id(), file); }));
    }
    EXPECT_FALSE(messageBoxOf(launcher->id()));
    EXPECT_TRUE(launcher->running());
}

INSTANTIATE_TEST_SUITE_P(
    Documents, DocumentTest,
    ::testing::Combine(::testing::Values(Document{"Readme", "ZARKreadme.txt", VK_F2, 0},
                                         Document{"History", "ZARKhistory.txt", VK_F3, 1},
                                         Document{"LauncherHistory", "Zarklauncherhistory.txt", VK_F4, 2}),
                       ::testing::Bool()),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "Present" : "Missing");
    });

TEST_F(CommandsTest, WebCommandsOpenTheirAddressesThroughTheShell) {
    const std::string record = "browser.txt";
    const HttpHandler handler(L"\"" + standInPath(L"browser.exe") + L"\" \"" + folder.pathOf(record) + L"\" \"%1\"");
    ASSERT_NO_FATAL_FAILURE(start());

    struct Visit {
        WORD shortcut;
        std::wstring address;
    };
    for (const Visit& visit : {Visit{'H', L"http://zark.example.com/"}, Visit{'B', L"http://nvaro.example.org/"}}) {
        ASSERT_TRUE(bringToFront(main));
        pressKeys({VK_CONTROL, visit.shortcut});
        std::vector<std::wstring> fields;
        ASSERT_TRUE(eventually([&] {
            const auto opened = folder.read(record);
            fields = opened ? split(wide(*opened)) : std::vector<std::wstring>{};
            return fields.size() == 2;
        })) << "the browser was not started for "
            << visit.address;
        EXPECT_EQ(fields[0], L"C:\\") << "the working folder";
        EXPECT_EQ(fields[1], visit.address);
        folder.remove(record);
    }
    EXPECT_FALSE(messageBoxOf(launcher->id()));
}

TEST_F(CommandsTest, WebCommandsWithoutABrowserShowNothing) {
    const HttpHandler noHandler(std::nullopt);
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_TRUE(chooseByKeyboard(main, 'W', 0));
    ASSERT_TRUE(chooseByKeyboard(main, 'W', 1));
    ASSERT_TRUE(menuOpens(main));
    EXPECT_FALSE(messageBoxOf(launcher->id()));
    EXPECT_TRUE(launcher->running());
}

TEST_F(CommandsTest, HelpPointsToF1) {
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_TRUE(chooseByKeyboard(main, 'H', 1));
    ASSERT_NO_FATAL_FAILURE(expectMessage(L"Click on F1 to view the help file"));
}

// The system's help viewer, and no winhlp32.exe that lies in the game folder; the launcher does
// not wait for it, and goes on answering while the viewer asks the player about the file.
TEST_F(CommandsTest, F1StartsTheSystemsHelpViewerOnTheHelpFileOfTheGameFolder) {
    // Not a help file the viewer can read: it names the file it failed on.
    folder.write("zarkhelp.hlp", "not a help file");
    ASSERT_TRUE(CopyFileW(standInPath(L"sun.exe").c_str(), folder.pathOf("winhlp32.exe").c_str(), TRUE));
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_TRUE(bringToFront(main));
    pressKeys({VK_F1});
    const HWND viewer = waitForHelpViewer();
    ASSERT_NE(viewer, nullptr) << "the help viewer did not open the game folder's zarkhelp.hlp";
    const OutsideProgram program(viewer);
    EXPECT_TRUE(menuOpens(main)) << "the launcher waits for the help viewer";
    EXPECT_TRUE(gameStarts(folder).empty()) << "the game folder's winhlp32.exe ran";
    EXPECT_FALSE(messageBoxOf(launcher->id()));
}

// The system's help viewers moved aside while the object lives, as on a system that has none.
class NoHelpViewer {
public:
    NoHelpViewer() {
        for (const std::wstring& viewer : viewers_) {
            const std::wstring aside = viewer + L".aside";
            // A run that ended before putting them back left them aside.
            if (GetFileAttributesW(viewer.c_str()) == INVALID_FILE_ATTRIBUTES) MoveFileW(aside.c_str(), viewer.c_str());
            if (GetFileAttributesW(viewer.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
            EXPECT_TRUE(MoveFileExW(viewer.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING)) << GetLastError();
        }
    }
    ~NoHelpViewer() {
        for (const std::wstring& viewer : viewers_) MoveFileW((viewer + L".aside").c_str(), viewer.c_str());
    }
    NoHelpViewer(const NoHelpViewer&) = delete;
    NoHelpViewer& operator=(const NoHelpViewer&) = delete;

private:
    std::wstring viewers_[2] = {L"C:\\windows\\winhlp32.exe", L"C:\\windows\\system32\\winhlp32.exe"};
};

// Where the system has no help viewer, as Windows 10 and 11 have none, F1 says where the help file
// is and what to read instead, and the launcher goes on.
TEST_F(CommandsTest, F1WithoutAHelpViewerNamesTheHelpFileAndWhatToReadInstead) {
    const NoHelpViewer none;
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_TRUE(bringToFront(main));
    pressKeys({VK_F1});
    ASSERT_NO_FATAL_FAILURE(expectMessage(
        L"The help file is " + folder.pathOf("zarkhelp.hlp") +
        L", but this system has no viewer for .hlp help files: Windows 10 and 11 come without one.\n\nRead the "
        L"ZARK Readme instead (Documents menu, F2), or open the help file with a viewer for .hlp files of your own."));
    EXPECT_TRUE(menuOpens(main));
}

}  // namespace
}  // namespace windowtest
