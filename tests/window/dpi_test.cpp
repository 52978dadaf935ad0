// The main window at screen scales other than 100 %: the layout scaled from the 96 dpi one,
// the indicators' click areas with it and the caption whole, and a window too large for the
// display inside its work area; at 150 % the pictures' pixels and the icon drawn for that
// scale; and the layout made again when the window moves to a monitor of another scale.
#include "support/fixture.h"
#include "support/input.h"
#include "support/pixels.h"
#include "support/programfile.h"
#include "support/registry.h"
#include "support/screendpi.h"
#include "support/screenshot.h"

#include "resources/resource.h"
#include "switching/winstrings.h"

#include <optional>

namespace windowtest {
namespace {

RECT rect(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

std::string sizeText(const RECT& r) {
    return std::to_string(r.right - r.left) + " x " + std::to_string(r.bottom - r.top);
}

// The indicators' rectangles in the client area at one scale.
struct Indicators {
    RECT base;
    RECT expansion;
};

void expectIndicatorsAt(HWND main, const Indicators& expected) {
    EXPECT_EQ(placeOf(controlInClient(main, IDC_MODSTATUS)), placeOf(expected.base));
    EXPECT_EQ(placeOf(controlInClient(main, IDC_FSMODSTATUS)), placeOf(expected.expansion));
}

// Clicks an indicator near the bottom-right corner of its rectangle, a part that an indicator
// left at its 96 dpi size would not cover, and waits for the pictures to show `after`.
[[nodiscard]] bool clickNearCorner(HWND main, const RECT& indicator, const Pictures& after) {
    const RECT client = clientOnScreen(main);
    return bringToFront(main) && clickAt({client.left + indicator.right - 3, client.top + indicator.bottom - 3}) &&
           eventually([&] { return picturesOf(main) == after; });
}

struct Scale {
    const char* name;
    int dpi;
    // Where the client area opens on the test display's 1600 x 1200 pixels, or none where the
    // window would not fit there: it then lies against the work area's right and bottom edges.
    std::optional<RECT> clientArea;
    SIZE clientSize;
    Indicators indicators;
};

class ScaledMainWindowTest : public LauncherTest, public ::testing::WithParamInterface<Scale> {
protected:
    // The launcher reads the screen's DPI as it starts; the setting goes back at once.
    void SetUp() override {
        const ScreenDpi screen(GetParam().dpi);
        ASSERT_NO_FATAL_FAILURE(startWithStores("2\r\n", "2\r\n"));
    }
};

TEST_P(ScaledMainWindowTest, LaysOutItsWindowAtTheScreensScale) {
    const Scale& scale = GetParam();
    const RECT client = clientOnScreen(main);
    EXPECT_EQ(sizeText(client), std::to_string(scale.clientSize.cx) + " x " + std::to_string(scale.clientSize.cy));
    RECT frame;
    ASSERT_TRUE(GetWindowRect(main, &frame));
    if (scale.clientArea) {
        EXPECT_EQ(placeOf(client), placeOf(*scale.clientArea));
    } else {
        RECT work;
        ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
        EXPECT_EQ(frame.right, work.right) << "moved just enough to lie inside the work area";
        EXPECT_EQ(frame.bottom, work.bottom) << "moved just enough to lie inside the work area";
    }
    expectIndicatorsAt(main, scale.indicators);
    saveScreenshot(L"launcher-" + zark::widen(scale.name), {main});

    // The caption's text, in the caption font at this scale, fits in the title bar between
    // the icon and the close button.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, scale.dpi));
    const int titleBar = (frame.right - frame.left) - 2 * GetSystemMetricsForDpi(SM_CXFIXEDFRAME, scale.dpi);
    EXPECT_LE(textWidth(windowText(main), metrics.lfCaptionFont) + GetSystemMetricsForDpi(SM_CXSMICON, scale.dpi) +
                  GetSystemMetricsForDpi(SM_CXSIZE, scale.dpi),
              titleBar);

    // The focused indicator at this scale, for people to look at.
    ASSERT_TRUE(tabTo(main, IDC_MODSTATUS));
    saveScreenshot(L"launcher-focused-" + zark::widen(scale.name), {main});

    EXPECT_TRUE(clickNearCorner(main, scale.indicators.expansion, {false, true, true, false}));
    EXPECT_TRUE(clickNearCorner(main, scale.indicators.expansion, {false, true, false, true}));
    EXPECT_TRUE(clickNearCorner(main, scale.indicators.base, {true, false, false, true}));
    EXPECT_EQ(folder.read("zarkdata.dat"), "1\r\n");
}

const Indicators k120dpi{rect(408, 130, 151, 30), rect(410, 218, 141, 30)};
const Indicators k144dpi{rect(489, 156, 182, 36), rect(492, 261, 170, 36)};
const Indicators k192dpi{rect(652, 208, 242, 48), rect(656, 348, 226, 48)};

INSTANTIATE_TEST_SUITE_P(
    Scales, ScaledMainWindowTest,
    ::testing::Values(
        Scale{"120dpi", 120, rect(320, 244, 570, 398), {570, 398}, k120dpi},
        Scale{"144dpi", 144, rect(384, 293, 684, 477), {684, 477}, k144dpi},
        Scale{"192dpi", 192, rect(512, 390, 912, 636), {912, 636}, k192dpi},
        // At 640, 488 the window would reach past the display's right and bottom edges.
        Scale{"240dpi", 240, std::nullopt, {1140, 795}, {rect(815, 260, 303, 60), rect(820, 435, 283, 60)}}),
    [](const auto& info) { return std::string("At") + info.param.name; });

// The pictures at 150 % as the screen shows them, against pixels recorded from the launcher: the
// large pictures' decoders may round a channel differently by 2, no more. The background with
// the DE-ACTIVATED pictures fills the whole client area; the ACTIVATED ones are compared in the
// part of it that holds both indicators.
struct Recorded {
    const char* name;
    const char* stores;
    RECT area;  // in the client area
    const char* file;
};

void PrintTo(const Recorded& recorded, std::ostream* out) { *out << recorded.name; }

class MainWindowAt144DpiTest : public LauncherTest, public ::testing::WithParamInterface<Recorded> {};

TEST_P(MainWindowAt144DpiTest, ShowsThePicturesDrawnForItsScale) {
    const Recorded& recorded = GetParam();
    {
        const ScreenDpi screen(144);
        ASSERT_NO_FATAL_FAILURE(startWithStores(recorded.stores, recorded.stores));
    }
    SIZE size{};
    const Pixels expected = expectedPixels(recorded.file, size);
    ASSERT_EQ(sizeText(recorded.area), std::to_string(size.cx) + " x " + std::to_string(size.cy));
    RECT area = recorded.area;
    const RECT client = clientOnScreen(main);
    OffsetRect(&area, client.left, client.top);
    std::string differ;
    EXPECT_TRUE(eventually([&] {
        differ = differences(onScreen(area), expected, size.cx, 2);
        return differ.empty();
    })) << differ;
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, MainWindowAt144DpiTest,
    ::testing::Values(Recorded{"Deactivated", "2\r\n", rect(0, 0, 684, 477), "launcher-144dpi.png"},
                      Recorded{"Activated", "1\r\n", rect(489, 156, 182, 141), "activated-144dpi.png"}),
    [](const auto& info) { return std::string(info.param.name); });

// A large picture that cannot be decoded ends start-up with the standard error report, before
// the window has ever been shown: here the program file's second strip of the background.
TEST_F(LauncherTest, LargePictureThatCannotBeDecodedEndsStartUp) {
    layOutGame(folder);
    const std::wstring program = folder.pathOf("ZARKLauncher.exe");
    ASSERT_TRUE(CopyFileW(launcherPath().c_str(), program.c_str(), TRUE));
    const HANDLE update = BeginUpdateResourceW(program.c_str(), FALSE);
    ASSERT_NE(update, nullptr);
    char spoilt[] = "no picture";
    ASSERT_TRUE(UpdateResourceW(update, MAKEINTRESOURCEW(RT_LARGEPICTURE), MAKEINTRESOURCEW(IDB_BACKGROUND_2X + 1),
                                MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), spoilt, sizeof spoilt));
    ASSERT_TRUE(EndUpdateResourceW(update, FALSE));
    // Set until the launcher has read it, which it does at some moment as it starts.
    const ScreenDpi screen(144);
    launcher.emplace(folder.path(), program);

    const auto box = waitForMessageBox(launcher->id());
    ASSERT_TRUE(box) << "no error report appeared";
    EXPECT_EQ(box->title, kApplicationTitle);
    // ERROR_INVALID_DATA, with the system's description.
    EXPECT_EQ(box->text.substr(0, 10), L"Error 13: ") << zark::narrow(box->text);
    ASSERT_TRUE(pressOk(*box));
    EXPECT_TRUE(launcher->exitsWithin(kPatience));
    EXPECT_TRUE(windowsOf(launcher->id(), ZARK_MAIN_CLASS).empty());
}

// Wine draws the window's small icon in its title bar at the small icon's size of the scale, 24
// pixels at 150 %: an icon of another size would show there stretched. Every pixel that the
// 24-pixel image covers wholly shows that image's colour.
bool showsIconImage(HWND window, const std::vector<DWORD>& image, int size) {
    RECT frame;
    if (!GetWindowRect(window, &frame)) return false;
    // The icon lies somewhere in the frame's top-left corner.
    const int side = 3 * size;
    const Pixels seen = onScreen({frame.left, frame.top, frame.left + side, frame.top + side});
    const auto showsAt = [&](int left, int top) {
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const DWORD pixel = image[static_cast<size_t>(y * size + x)];
                if (pixel >> 24 == 0xFF && seen[static_cast<size_t>((top + y) * side + left + x)] != (pixel & 0xFFFFFF))
                    return false;
            }
        }
        return true;
    };
    for (int top = 0; top + size <= side; ++top) {
        for (int left = 0; left + size <= side; ++left) {
            if (showsAt(left, top)) return true;
        }
    }
    return false;
}

TEST_F(LauncherTest, ShowsTheIconDrawnForItsScale) {
    {
        const ScreenDpi screen(144);
        ASSERT_NO_FATAL_FAILURE(startWithStores("2\r\n", "2\r\n"));
    }
    const std::vector<DWORD> image = ProgramFile(launcherPath()).iconImage(IDI_ZARK, 24);
    ASSERT_FALSE(image.empty());
    EXPECT_TRUE(eventually([&] { return showsIconImage(main, image, 24); }));
}

// What the system sends a window that has moved to a monitor of another scale: the new DPI
// and the frame that it suggests. The rectangle is written into the launcher's own memory,
// since a pointer in a message is not carried across processes.
[[nodiscard]] bool sendDpiChanged(HWND window, int dpi, const RECT& suggested) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    const Handle process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, id));
    if (!process) return false;
    void* remote = VirtualAllocEx(process.get(), nullptr, sizeof suggested, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remote) return false;
    DWORD_PTR result = 0;
    const bool sent = WriteProcessMemory(process.get(), remote, &suggested, sizeof suggested, nullptr) &&
                      SendMessageTimeoutW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(remote),
                                          SMTO_NORMAL, static_cast<UINT>(kPatience.count()), &result);
    VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
    return sent;
}

TEST_F(LauncherTest, LaysOutItsWindowAgainOnAMonitorOfAnotherScale) {
    ASSERT_NO_FATAL_FAILURE(startWithStores("2\r\n", "2\r\n"));
    const int dpi = 144;
    RECT frame;
    ASSERT_TRUE(GetWindowRect(main, &frame));
    // What the system suggests: the frame at the new scale, somewhere on the new monitor.
    const RECT suggested{100, 80, 100 + MulDiv(frame.right - frame.left, dpi, 96),
                         80 + MulDiv(frame.bottom - frame.top, dpi, 96)};
    ASSERT_TRUE(sendDpiChanged(main, dpi, suggested));

    ASSERT_TRUE(GetWindowRect(main, &frame));
    EXPECT_EQ(frame.left, suggested.left);
    EXPECT_EQ(frame.top, suggested.top);
    EXPECT_EQ(sizeText(clientOnScreen(main)), "684 x 477");
    expectIndicatorsAt(main, k144dpi);
    saveScreenshot(L"launcher-moved-to-144dpi", {main});
    EXPECT_TRUE(clickNearCorner(main, k144dpi.expansion, {false, true, true, false}));
}

}  // namespace
}  // namespace windowtest
