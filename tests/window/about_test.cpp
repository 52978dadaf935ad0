// The About box: its frame, place, controls and texts; the keys and clicks that close it and
// those that do not; and the main window that it keeps disabled while it is open.
#include "support/commands.h"
#include "support/fixture.h"
#include "support/input.h"
#include "support/screendpi.h"
#include "support/screenshot.h"

#include "resources/resource.h"
#include "switching/winstrings.h"

#include <cstdlib>
#include <functional>
#include <iterator>
#include <optional>
#include <regex>

namespace windowtest {
namespace {

RECT rect(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

// How a label may differ from its rectangle: a one-line text that the font draws wider than
// the label widens it, to the right or, when centred, on both sides, rather than wrap.
enum class Fit { Exact, GrowsRight, GrowsBothWays };

struct Control {
    int id;
    Fit fit;
    const wchar_t* text;
};

// In tab order.
const Control kControls[] = {
    {IDC_CMDOK, Fit::Exact, L"&OK"},
    {IDC_LBLLABELS, Fit::GrowsBothWays, L"Tiberian Sun Zarkonid Launcher"},
    {IDC_LABEL1, Fit::GrowsRight, L"Version 1.2 Credits"},
    {IDC_LABEL2, Fit::Exact, nullptr},
    {IDC_LABEL3, Fit::Exact, L"Email adresses can be found in the Readmefile and in the help file."},
};

void expectPlace(const RECT& actual, const Control& control, const RECT& place) {
    if (EqualRect(&actual, &place) || control.fit == Fit::Exact) {
        EXPECT_EQ(placeOf(actual), placeOf(place));
        return;
    }
    EXPECT_GT(actual.right - actual.left, place.right - place.left) << placeOf(actual);
    EXPECT_EQ(actual.top, place.top);
    EXPECT_EQ(actual.bottom, place.bottom);
    if (control.fit == Fit::GrowsRight) {
        EXPECT_EQ(actual.left, place.left);
    } else {
        EXPECT_LE(std::abs((actual.left + actual.right) - (place.left + place.right)), 1) << "stays centred";
    }
}

// Everything the box shows, to compare one opening with the next.
std::wstring contentOf(HWND about) {
    std::wstring content = windowText(about) + L"|";
    for (const Control& control : kControls) {
        content += windowText(GetDlgItem(about, control.id)) + L"|";
        content += zark::widen(placeOf(controlInClient(about, control.id))) + L"|";
    }
    return content;
}

class AboutTest : public LauncherTest {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(startWithStores("2\r\n", "2\r\n")); }

    // Opens the box from the "&Help" menu and waits for it.
    HWND open() {
        if (!chooseByKeyboard(main, 'H', 0)) return nullptr;
        return waitForWindow(launcher->id(), ZARK_ABOUT_CLASS);
    }

    bool closed(HWND about) {
        return eventually([&] { return !IsWindow(about) && IsWindowEnabled(main); });
    }
};

// The box at one screen scale: where its client area opens on the test display's 1600 x 1200
// pixels, or none where it would not fit (it then lies against the work area's right edge), and
// its font's height and its controls' rectangles, in the order of kControls.
struct BoxScale {
    int dpi;
    std::optional<RECT> clientArea;
    SIZE clientSize;
    int fontPixels;
    RECT places[5];
};

void PrintTo(const BoxScale& scale, std::ostream* out) { *out << scale.dpi << " dpi"; }

class AboutAtScaleTest : public AboutTest, public ::testing::WithParamInterface<BoxScale> {
protected:
    // The launcher reads the screen's DPI as it starts; the setting goes back at once.
    void SetUp() override {
        const ScreenDpi screen(GetParam().dpi);
        AboutTest::SetUp();
    }
};

TEST_P(AboutAtScaleTest, ShowsItsTextsInItsPlace) {
    const BoxScale& scale = GetParam();
    const HWND about = open();
    ASSERT_NE(about, nullptr);
    saveScreenshot(scale.dpi == USER_DEFAULT_SCREEN_DPI ? L"about" : L"about-" + std::to_wstring(scale.dpi) + L"dpi",
                   {main, about});

    EXPECT_EQ(windowText(about), L"Tiberian Sun Zarkonid Launcher");
    const LONG style = GetWindowLongW(about, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_EQ(GetWindow(about, GW_OWNER), nullptr) << "the box has no owner";
    const RECT client = clientOnScreen(about);
    EXPECT_EQ(client.right - client.left, scale.clientSize.cx);
    EXPECT_EQ(client.bottom - client.top, scale.clientSize.cy);
    if (scale.clientArea) {
        EXPECT_EQ(placeOf(client), placeOf(*scale.clientArea));
    } else {
        RECT frame;
        RECT work;
        ASSERT_TRUE(GetWindowRect(about, &frame));
        ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
        EXPECT_EQ(frame.right, work.right) << "moved just enough to lie inside the work area";
        EXPECT_GE(frame.left, work.left);
    }
    EXPECT_FALSE(IsWindowEnabled(main));

    // Tahoma 8.25 pt at this scale; a one-line text is never wrapped.
    LOGFONTW tahoma{};
    tahoma.lfHeight = -scale.fontPixels;
    tahoma.lfWeight = FW_NORMAL;
    tahoma.lfCharSet = ANSI_CHARSET;
    wcscpy(tahoma.lfFaceName, L"Tahoma");
    for (size_t i = 0; i < std::size(kControls); ++i) {
        const Control& control = kControls[i];
        SCOPED_TRACE(control.id);
        const RECT place = controlInClient(about, control.id);
        expectPlace(place, control, scale.places[i]);
        if (control.text) {
            EXPECT_EQ(windowText(GetDlgItem(about, control.id)), control.text);
        }
        if (control.fit != Fit::Exact) {
            EXPECT_GE(place.right - place.left, textWidth(control.text, tahoma)) << "the text wraps";
        }
    }

    // Tab order is the order of the children: the button first, so it has the focus.
    std::vector<int> order;
    for (HWND child = GetWindow(about, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        order.push_back(GetDlgCtrlID(child));
    EXPECT_EQ(order, (std::vector<int>{IDC_CMDOK, IDC_LBLLABELS, IDC_LABEL1, IDC_LABEL2, IDC_LABEL3}));
    EXPECT_TRUE(GetWindowLongW(GetDlgItem(about, IDC_CMDOK), GWL_STYLE) & BS_DEFPUSHBUTTON);
    EXPECT_EQ(GetWindowLongW(GetDlgItem(about, IDC_LBLLABELS), GWL_STYLE) & SS_TYPEMASK, SS_CENTER);
    for (int id : {IDC_LABEL1, IDC_LABEL2, IDC_LABEL3})
        EXPECT_EQ(GetWindowLongW(GetDlgItem(about, id), GWL_STYLE) & SS_TYPEMASK, SS_LEFT) << id;
}

INSTANTIATE_TEST_SUITE_P(
    Scales, AboutAtScaleTest,
    ::testing::Values(BoxScale{96,
                               rect(327, 261, 339, 190),
                               {339, 190},
                               11,
                               {rect(136, 157, 65, 23), rect(88, 8, 169, 18), rect(128, 32, 93, 17),
                                rect(40, 50, 249, 67), rect(41, 120, 253, 27)}},
                      BoxScale{144,
                               rect(491, 392, 509, 285),
                               {509, 285},
                               17,
                               {rect(204, 236, 98, 35), rect(132, 12, 254, 27), rect(192, 48, 140, 26),
                                rect(60, 75, 374, 101), rect(62, 180, 380, 41)}},
                      // At 818, 653 the box would reach past the display's right edge.
                      BoxScale{240,
                               std::nullopt,
                               {848, 475},
                               28,
                               {rect(340, 393, 163, 58), rect(220, 20, 423, 45), rect(320, 80, 233, 43),
                                rect(100, 125, 623, 168), rect(103, 300, 633, 68)}}),
    [](const auto& info) { return "Dpi" + std::to_string(info.param.dpi); });

TEST_F(AboutTest, CreditsGiveEachPersonALineOfTheirOwn) {
    const HWND about = open();
    ASSERT_NE(about, nullptr);
    // The heading and each credit begin a line: through runs of spaces that wrap at the
    // label's width, or through line breaks. Each name has a nickname in double quotes.
    const std::wstring name = LR"((\S+ "[^"]+" \S+))";
    const std::wregex credits(L"Launcher Authors:(\r\n| {47})" + name + L" \\(launcher coding\\)(\r\n| {13})" + name +
                              L" \\(Launcher Graphics\\)(\r\n| {95})Mod Author: " + name);
    const std::wstring text = windowText(GetDlgItem(about, IDC_LABEL2));
    EXPECT_TRUE(std::regex_match(text, credits)) << text;
}

// The close button is where the box's own hit test says it is, along the title bar; none if
// the hit test finds it nowhere.
POINT closeButtonOf(HWND about) {
    RECT frame;
    GetWindowRect(about, &frame);
    const int y = (frame.top + clientOnScreen(about).top) / 2;
    for (int x = frame.right - 1; x > frame.left; --x) {
        DWORD_PTR hit = 0;
        SendMessageTimeoutW(about, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_NORMAL, 1000, &hit);
        if (hit == HTCLOSE) return {x - 4, y};
    }
    return {};
}

// A way of closing the box: typing a character (whichever, even while the OK button has the
// focus), clicking its background, its OK button, or its title bar's close button.
struct Closing {
    const char* name;
    std::function<bool(HWND about)> close;  // false if the input could not be given
};

void PrintTo(const Closing& closing, std::ostream* out) { *out << closing.name; }

std::function<bool(HWND)> typing(std::vector<WORD> keys) {
    return [keys](HWND) {
        pressKeys(keys);
        return true;
    };
}

class AboutClosingTest : public AboutTest, public ::testing::WithParamInterface<Closing> {};

TEST_P(AboutClosingTest, ClosesTheBoxAndEnablesTheMainWindow) {
    const HWND about = open();
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(bringToFront(about));
    ASSERT_TRUE(GetParam().close(about));
    EXPECT_TRUE(closed(about));
    EXPECT_FALSE(messageBoxOf(launcher->id()));
    EXPECT_TRUE(launcher->running());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, AboutClosingTest,
    ::testing::Values(Closing{"Letter", typing({'X'})}, Closing{"Digit", typing({'7'})},
                      Closing{"Space", typing({VK_SPACE})}, Closing{"Enter", typing({VK_RETURN})},
                      Closing{"Escape", typing({VK_ESCAPE})}, Closing{"Backspace", typing({VK_BACK})},
                      Closing{"AltO", typing({VK_MENU, 'O'})},
                      Closing{"ClickOnTheBackground",
                              [](HWND about) {
                                  const RECT client = clientOnScreen(about);
                                  return clickAt({client.left + 10, client.top + 10});
                              }},
                      Closing{"OkButton",
                              [](HWND about) { return clickAt(centreOf(controlOnScreen(about, IDC_CMDOK))); }},
                      Closing{"TitleBarCloseButton",
                              [](HWND about) {
                                  const POINT button = closeButtonOf(about);
                                  return button.x != 0 && clickAt(button);
                              }}),
    [](const auto& info) { return info.param.name; });

TEST_F(AboutTest, KeysThatTypeNothingAndClicksOnItsTextsLeaveItOpen) {
    const HWND about = open();
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(bringToFront(about));
    for (WORD key : {VK_LEFT, VK_DOWN, VK_SHIFT, VK_CONTROL}) pressKeys({key});
    for (int label : {IDC_LBLLABELS, IDC_LABEL1, IDC_LABEL2, IDC_LABEL3})
        ASSERT_TRUE(clickAt(centreOf(controlOnScreen(about, label))));
    EXPECT_TRUE(inputHandled(about));
    EXPECT_TRUE(IsWindowVisible(about));
    EXPECT_FALSE(IsWindowEnabled(main));
}

TEST_F(AboutTest, MainWindowTakesNoInputWhileItIsOpen) {
    const FolderContents before = folder.contents();
    const HWND about = open();
    ASSERT_NE(about, nullptr);

    // The box covers the left part of the pictures; their right ends stay uncovered.
    ASSERT_TRUE(bringToFront(main));
    for (int picture : {IDC_MODSTATUS, IDC_FSMODSTATUS}) {
        const RECT area = controlOnScreen(main, picture);
        ASSERT_TRUE(clickAt({area.right - 5, (area.top + area.bottom) / 2}));
    }
    EXPECT_TRUE(inputHandled(about));
    EXPECT_FALSE(messageBoxOf(launcher->id()));
    EXPECT_EQ(folder.contents(), before);
    EXPECT_TRUE(IsWindowVisible(about)) << "only the box itself closes it";
    EXPECT_FALSE(IsWindowEnabled(main));

    // The box's window menu runs a menu loop, where the launcher itself hands the main window's
    // shortcuts on: not while the main window is disabled.
    ASSERT_TRUE(bringToFront(about));
    pressKeys({VK_MENU, VK_SPACE});
    ASSERT_TRUE(eventually([&] { return !windowsOf(launcher->id(), L"#32768").empty(); })) << "no window menu";
    pressKeys({VK_CONTROL, 'A'});
    // The first Escape closes the menu, the second leaves the menu loop.
    pressKeys({VK_ESCAPE});
    pressKeys({VK_ESCAPE});
    ASSERT_TRUE(eventually([&] { return windowsOf(launcher->id(), L"#32768").empty() && !inMenuMode(about); }));
    EXPECT_TRUE(inputHandled(about));
    EXPECT_FALSE(messageBoxOf(launcher->id()));
    EXPECT_EQ(folder.contents(), before);
    EXPECT_TRUE(IsWindowVisible(about));

    // Ctrl+A types a character, which closes the box, but only after its key has been
    // refused as a shortcut: the main window was still disabled then.
    ASSERT_TRUE(bringToFront(about));
    pressKeys({VK_CONTROL, 'A'});
    ASSERT_TRUE(closed(about));
    ASSERT_TRUE(menuOpens(main));
    EXPECT_FALSE(messageBoxOf(launcher->id()));
    EXPECT_EQ(folder.contents(), before);

    ASSERT_TRUE(give(main, ModCommand::ActivateZark, Way::Shortcut));
    EXPECT_TRUE(eventually([&] { return picturesOf(main) == Pictures{true, false, false, true}; }));
    EXPECT_EQ(folder.read("zarkdata.dat"), "1\r\n");
}

TEST_F(AboutTest, OpensAfreshTheSameWhereverTheMainWindowIs) {
    HWND about = open();
    ASSERT_NE(about, nullptr);
    const std::wstring first = contentOf(about);
    ASSERT_TRUE(bringToFront(about));
    pressKeys({VK_ESCAPE});
    ASSERT_TRUE(closed(about));

    ASSERT_TRUE(SetWindowPos(main, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER));
    ASSERT_TRUE(eventually([&] { return clientOnScreen(main).left != 256; }));
    about = open();
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(IsWindowEnabled(main));
    EXPECT_EQ(contentOf(about), first);
    EXPECT_EQ(placeOf(clientOnScreen(about)), "327, 261, 339 x 190");
}

TEST_F(AboutTest, F1InTheBoxOpensTheHelpFile) {
    folder.write("zarkhelp.hlp", "not a help file");
    const HWND about = open();
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(bringToFront(about));
    pressKeys({VK_F1});
    const HWND viewer = waitForHelpViewer();
    ASSERT_NE(viewer, nullptr) << "the help viewer did not open the game folder's zarkhelp.hlp";
    const OutsideProgram program(viewer);
}

}  // namespace
}  // namespace windowtest
