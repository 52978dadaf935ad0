// The main window's frame and layout on screen, and the program file's menu, shortcuts,
// version block and icon.
#include "support/fixture.h"
#include "support/programfile.h"

#include "resources/resource.h"
#include "switching/winstrings.h"

#include <algorithm>
#include <set>
#include <tuple>

namespace windowtest {
namespace {

TEST_F(LauncherTest, MainWindowHasItsFixedFrameAndPlace) {
    ASSERT_NO_FATAL_FAILURE(startWithStores("2\r\n", "2\r\n"));

    EXPECT_EQ(windowText(main), L"Tiberian Sun Zarkonid Launcher (version 1.2)");
    const LONG style = GetWindowLongW(main, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_THICKFRAME) << "the window must not be sizable";
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_EQ(placeOf(clientOnScreen(main)), "256, 195, 456 x 318");

    // Below the title bar lies the menu bar, one menu line high.
    RECT frame;
    ASSERT_TRUE(GetWindowRect(main, &frame));
    EXPECT_EQ(clientOnScreen(main).top - frame.top,
              GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU) + GetSystemMetrics(SM_CYFIXEDFRAME));
}

TEST_F(LauncherTest, IndicatorsLieOverTheirFrames) {
    // A value other than 0, 1 and 2 shows the ACTIVATED picture, which lies on top.
    ASSERT_NO_FATAL_FAILURE(startWithStores("3\r\n", "3\r\n"));
    EXPECT_EQ(placeOf(controlInClient(main, IDC_MODSTATUS)), "326, 104, 121 x 24");
    EXPECT_EQ(placeOf(controlInClient(main, IDC_FSMODSTATUS)), "328, 174, 113 x 24");
    EXPECT_TRUE(eventually([&] {
        return picturesDrawn(main) == Pictures{true, false, true, false};
    })) << picturesDrawn(main);
}

// What a screen reader relies on: Windows' own accessibility proxy for a system button names it
// by its window text, calls it a push button, and presses it by sending BM_CLICK.
TEST_F(LauncherTest, IndicatorsAreTheSystemsButtonsNamedByTheirPictures) {
    ASSERT_NO_FATAL_FAILURE(startWithStores("3\r\n", "2\r\n"));
    for (const auto& [id, name] :
         {std::pair{IDC_MODSTATUS, L"ZARK: ACTIVATED"}, std::pair{IDC_FSMODSTATUS, L"ZARK-FS: DE-ACTIVATED"}}) {
        const HWND indicator = GetDlgItem(main, id);
        wchar_t windowClass[32] = L"";
        RealGetWindowClassW(indicator, windowClass, 32);
        EXPECT_EQ(std::wstring(windowClass), L"Button");
        const LONG style = GetWindowLongW(indicator, GWL_STYLE);
        EXPECT_EQ(style & BS_TYPEMASK, BS_OWNERDRAW);
        EXPECT_TRUE(style & WS_TABSTOP);
        EXPECT_EQ(windowText(indicator), name);
    }
}

class ProgramFileTest : public ::testing::Test {
protected:
    ProgramFile file{launcherPath()};
};

struct Item {
    const wchar_t* caption;  // nullptr for a separator
    UINT id;
};

const std::vector<std::pair<std::wstring, std::vector<Item>>> kMenus = {
    {L"&Mod",
     {{L"Activate ZARK\tCtrl+A", IDM_ACTIVATEZARK},
      {L"Deactivate ZARK\tCtrl+D", IDM_DEACTIVATEZARK},
      {nullptr, 0},
      {L"Activate ZARK-FS\tCtrl+Z", IDM_ACTIVATEZARKFS},
      {L"Deactivate ZARK-FS\tCtrl+C", IDM_DEACTIVATEZARKFS},
      {nullptr, 0},
      {L"Run Tiberian Sun\tCtrl+R", IDM_RUNTIBERIANSUN},
      {nullptr, 0},
      {L"Exit\tCtrl+Q", IDM_EXITLAUNCHER}}},
    {L"&Documents",
     {{L"ZARK Readme\tF2", IDM_SHOWREADME},
      {L"ZARK History\tF3", IDM_SHOWHISTORY},
      {L"Launcher History\tF4", IDM_SHOWLAUNCHERHISTORY}}},
    {L"&Web", {{L"Visit ZARK Homepage\tCtrl+H", IDM_VISITHOMEPAGE}, {L"Visit nVARO\tCtrl+B", IDM_VISITNVARO}}},
    {L"&Help", {{L"About", IDM_VIEWABOUT}, {L"Help", IDM_VIEWHELP}}},
};

TEST_F(ProgramFileTest, MenuBarHoldsFourMenusOfCommandsInOrder) {
    const auto bar = file.menu(IDR_MAINMENU);
    ASSERT_EQ(bar.size(), kMenus.size());
    for (size_t m = 0; m < kMenus.size(); ++m) {
        const auto& [caption, items] = kMenus[m];
        SCOPED_TRACE(testing::Message() << "menu " << m);
        EXPECT_EQ(bar[m].caption, caption);
        ASSERT_EQ(bar[m].items.size(), items.size());
        for (size_t i = 0; i < items.size(); ++i) {
            const MenuEntry& entry = bar[m].items[i];
            SCOPED_TRACE(testing::Message() << "item " << i);
            if (!items[i].caption) {
                EXPECT_TRUE(entry.type & MFT_SEPARATOR);
                continue;
            }
            EXPECT_EQ(entry.caption, items[i].caption);
            EXPECT_EQ(entry.id, items[i].id);
            EXPECT_FALSE(entry.type & MFT_SEPARATOR);
            EXPECT_EQ(entry.state, 0u) << "every item is enabled and unchecked";
            EXPECT_TRUE(entry.items.empty()) << "menus nest one level only";
            EXPECT_EQ(entry.caption.find(L'&'), std::wstring::npos) << "no item has an access letter";
        }
    }
}

// The text that a menu shows beside its caption for a shortcut.
std::wstring shortcutText(const ACCEL& accel) {
    std::wstring text = (accel.fVirt & FCONTROL) ? L"Ctrl+" : L"";
    if (accel.key >= VK_F1 && accel.key <= VK_F24) return text + L"F" + std::to_wstring(accel.key - VK_F1 + 1);
    return text + static_cast<wchar_t>(accel.key);
}

TEST_F(ProgramFileTest, ShortcutsMatchTheCaptionsBesideTheirItems) {
    using Shortcut = std::tuple<BYTE, WORD, WORD>;
    std::set<Shortcut> shortcuts;
    for (const ACCEL& accel : file.accelerators(IDR_ACCELERATORS))
        shortcuts.emplace(accel.fVirt & ~FNOINVERT, accel.key, accel.cmd);
    const BYTE ctrl = FVIRTKEY | FCONTROL;
    const std::set<Shortcut> expected = {{ctrl, 'A', IDM_ACTIVATEZARK},
                                         {ctrl, 'D', IDM_DEACTIVATEZARK},
                                         {ctrl, 'Z', IDM_ACTIVATEZARKFS},
                                         {ctrl, 'C', IDM_DEACTIVATEZARKFS},
                                         {ctrl, 'R', IDM_RUNTIBERIANSUN},
                                         {ctrl, 'Q', IDM_EXITLAUNCHER},
                                         {FVIRTKEY, VK_F2, IDM_SHOWREADME},
                                         {FVIRTKEY, VK_F3, IDM_SHOWHISTORY},
                                         {FVIRTKEY, VK_F4, IDM_SHOWLAUNCHERHISTORY},
                                         {ctrl, 'H', IDM_VISITHOMEPAGE},
                                         {ctrl, 'B', IDM_VISITNVARO}};
    EXPECT_EQ(shortcuts, expected);

    const auto bar = file.menu(IDR_MAINMENU);
    for (const ACCEL& accel : file.accelerators(IDR_ACCELERATORS)) {
        const MenuEntry* item = nullptr;
        for (const MenuEntry& menu : bar)
            for (const MenuEntry& entry : menu.items)
                if (!(entry.type & MFT_SEPARATOR) && entry.id == accel.cmd) item = &entry;
        ASSERT_NE(item, nullptr) << "shortcut for command " << accel.cmd << " has no menu item";
        const auto tab = item->caption.find(L'\t');
        ASSERT_NE(tab, std::wstring::npos);
        EXPECT_EQ(item->caption.substr(tab + 1), shortcutText(accel));
    }
}

TEST_F(ProgramFileTest, VersionBlockNamesTheLauncher) {
    const auto fixed = file.fixedInfo();
    ASSERT_TRUE(fixed);
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(2, 1));
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(2, 1));
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);

    const auto translations = file.translations();
    EXPECT_NE(std::find(translations.begin(), translations.end(), MAKELONG(0x0409, 0x04B0)), translations.end())
        << "US English, Unicode";
    const std::wstring block = L"040904B0";
    EXPECT_EQ(file.versionString(block, L"FileVersion"), L"1.02");
    EXPECT_EQ(file.versionString(block, L"ProductVersion"), L"1.02");
    EXPECT_EQ(file.versionString(block, L"ProductName"), L"ZARK Launcher v1.2");
    EXPECT_EQ(file.versionString(block, L"FileDescription"), L"ZARK modification for Tiberian Sun Launcher");
    EXPECT_EQ(file.versionString(block, L"InternalName"), L"ZARKLauncher");
    EXPECT_EQ(file.versionString(block, L"OriginalFilename"), L"ZARKLauncher.exe");
}

TEST_F(ProgramFileTest, IconHoldsEightSizesAtTheirColourDepths) {
    // Width, height, bits per pixel, PNG: 256 colours at 16 and 32 pixels, as at 100 % they
    // always were, 32 bits with alpha at the other sizes, and the 256-pixel image as a PNG.
    using Image = std::tuple<int, int, int, bool>;
    const std::vector<Image> expected = {{16, 16, 8, false},  {20, 20, 32, false}, {24, 24, 32, false},
                                         {32, 32, 8, false},  {40, 40, 32, false}, {48, 48, 32, false},
                                         {64, 64, 32, false}, {256, 256, 32, true}};
    std::vector<Image> images;
    for (const IconImage& image : file.icon(IDI_ZARK))
        images.emplace_back(image.width, image.height, image.bitsPerPixel, image.png);
    std::sort(images.begin(), images.end());
    EXPECT_EQ(images, expected);
}

}  // namespace
}  // namespace windowtest
