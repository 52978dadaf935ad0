// Where the launcher takes its DLLs from: a DLL that someone has put in the game folder under the
// name of one that Windows loads for the launcher after its start never runs inside it, whatever
// the player does: the About box, a switch, a web page, a screen reader. And what a start loads:
// no COM at any scale.
#include "support/commands.h"
#include "support/fixture.h"
#include "support/input.h"
#include "support/registry.h"
#include "support/screendpi.h"

#include "resources/resource.h"
#include "switching/winstrings.h"

#include <psapi.h>

#include <cwctype>
#include <deque>
#include <iterator>
#include <set>

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
std::string loadedIn(const GameFolder& folder) {
    std::string names;
    for (const wchar_t* name : kLateDlls) {
        const std::string file = zark::narrow(name) + ".dll";
        if (folder.exists(file + ".loaded")) names += file + " ";
    }
    return names;
}

TEST_F(LauncherTest, DllsPlantedInTheGameFolderNeverRunInTheLauncher) {
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

    ASSERT_TRUE(give(main, ModCommand::ActivateZark, Way::Shortcut));
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

// The DLLs loaded into a process, by base name in lower case, once it waits for input.
std::set<std::wstring> dllsOnceIdle(DWORD processId) {
    const Handle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE, FALSE, processId));
    std::set<std::wstring> names;
    if (!process || WaitForInputIdle(process.get(), static_cast<DWORD>(kPatience.count())) != 0) return names;
    HMODULE modules[512];
    DWORD needed = 0;
    if (!EnumProcessModulesEx(process.get(), modules, sizeof modules, &needed, LIST_MODULES_ALL)) return names;
    for (DWORD i = 0; i < needed / sizeof(HMODULE) && i < std::size(modules); ++i) {
        wchar_t name[MAX_PATH];
        std::wstring lower(name, GetModuleBaseNameW(process.get(), modules[i], name, MAX_PATH));
        for (wchar_t& c : lower) c = static_cast<wchar_t>(std::towlower(c));
        names.insert(lower);
    }
    return names;
}

class StartAtScaleTest : public LauncherTest, public ::testing::WithParamInterface<int> {};

// COM and the imaging component cost a start time and memory, and it needs neither: not even
// for the large pictures, nor for an input method.
TEST_P(StartAtScaleTest, LoadsNoCom) {
    {
        const ScreenDpi screen(GetParam());
        ASSERT_NO_FATAL_FAILURE(startWithStores("2\r\n", "2\r\n"));
    }
    const std::set<std::wstring> dlls = dllsOnceIdle(launcher->id());
    ASSERT_TRUE(dlls.count(L"user32.dll"));
    for (const wchar_t* com : {L"ole32.dll", L"combase.dll", L"windowscodecs.dll"})
        EXPECT_FALSE(dlls.count(com)) << zark::narrow(com);
}

INSTANTIATE_TEST_SUITE_P(Scales, StartAtScaleTest, ::testing::Values(96, 144),
                         [](const auto& info) { return "Dpi" + std::to_string(info.param); });

}  // namespace
}  // namespace windowtest
