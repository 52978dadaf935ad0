// Where the launcher takes its DLLs from: a DLL that someone has put in the game folder under the
// name of one that Windows loads for the launcher after its start never runs inside it, whatever
// the player does: the About box, a switch, a web page, a screen reader.
#include "support/commands.h"
#include "support/fixture.h"
#include "support/input.h"
#include "support/registry.h"

#include <resource.h>
#include <winstrings.h>

#include <deque>

namespace windowtest {
namespace {

// DLLs outside Windows' protected list that Windows may load for the launcher after its start:
// the theme engine with the first window, the accessibility proxies (which the launcher, whose
// indicators are the system's own buttons, does not need) when a screen reader asks. Not
// version.dll, which Wine's own DLLs load before the program's first line, nor msimg32.dll,
// which the common controls load on first use: Wine looks for such a delay-loaded DLL along the
// old search path, where Windows keeps to the directories the program set.
const wchar_t* const kLateDlls[] = {L"uxtheme", L"oleacc"};

// The planted DLLs that have been loaded into a process, by name.
std::string loadedIn(const GameFolder& folder)
{
    std::string names;
    for (const wchar_t* name : kLateDlls) {
        const std::string file = zark::narrow(name) + ".dll";
        if (folder.exists(file + ".loaded")) names += file + " ";
    }
    return names;
}

TEST_F(LauncherTest, DllsPlantedInTheGameFolderNeverRunInTheLauncher)
{
    layOutGame(folder);
    // Where players keep the launcher: the game folder is also the program's own folder, the
    // first that Windows searches.
    const std::wstring program = folder.pathOf("ZARKLauncher.exe");
    ASSERT_TRUE(CopyFileW(launcherPath().c_str(), program.c_str(), TRUE));
    std::deque<DllPreferredNative> preferred;
    for (const wchar_t* name : kLateDlls) {
        ASSERT_TRUE(
            CopyFileW(standInPath(L"marker.dll").c_str(), folder.pathOf(zark::narrow(name) + ".dll").c_str(), TRUE));
        preferred.emplace_back(name);
    }
    const std::string record = "browser.txt";
    const HttpHandler handler(L"\"" + standInPath(L"browser.exe") + L"\" \"" + folder.pathOf(record) + L"\" \"%1\"");

    launcher.emplace(folder.path(), program);
    main = launcher->waitForMainWindow();
    ASSERT_NE(main, nullptr) << "the main window did not appear; loaded: " << loadedIn(folder);

    ASSERT_TRUE(chooseByKeyboard(main, 'H', 0));
    const HWND about = waitForWindow(launcher->id(), ZARK_ABOUT_CLASS);
    ASSERT_NE(about, nullptr) << "the About box did not open; loaded: " << loadedIn(folder);
    pressKeys({VK_ESCAPE});
    ASSERT_TRUE(eventually([&] { return !IsWindow(about) && IsWindowEnabled(main); }));

    ASSERT_TRUE(give(main, Switch::ActivateZark, Way::Shortcut));
    ASSERT_TRUE(eventually([&] { return picturesOf(main) == Pictures{true, false, false, true}; }));
    // A screen reader asks for an indicator.
    EXPECT_EQ(accessibleOf(GetDlgItem(main, IDC_MODSTATUS)).name, L"ZARK: ACTIVATED");

    ASSERT_TRUE(bringToFront(main));
    pressKeys({VK_CONTROL, 'H'});
    // The browser shares its record with nobody until it has written it: once it can be read, the
    // browser is done with it and the folder can be removed.
    ASSERT_TRUE(eventually([&] {
        const auto opened = folder.read(record);
        return opened && !opened->empty();
    })) << "the browser was not started";

    EXPECT_EQ(loadedIn(folder), "");
    EXPECT_TRUE(launcher->running());
}

}  // namespace
}  // namespace windowtest
