// The main window at screen scales other than 100 %: the layout scaled from the 96 dpi one,
// the pictures' click areas with it and the caption whole; and the layout made again when the
// window moves to a monitor of another scale.
#include "support/fixture.h"
#include "support/input.h"
#include "support/registry.h"
#include "support/screendpi.h"
#include "support/screenshot.h"

#include <resource.h>
#include <winstrings.h>

#include <optional>

namespace windowtest {
namespace {

// The 96 dpi layout: the client area on the screen, the pairs' rectangles in it.
constexpr RECT kClientArea{256, 195, 256 + 456, 195 + 318};
constexpr RECT kBasePair{326, 104, 326 + 121, 104 + 24};
constexpr RECT kExpansionPair{328, 174, 328 + 113, 174 + 24};

SIZE sizeOf(const RECT& r) { return {r.right - r.left, r.bottom - r.top}; }

std::string sizeText(const RECT& r) { return std::to_string(r.right - r.left) + " x " + std::to_string(r.bottom - r.top); }

void expectPicturesAt(HWND main, int dpi)
{
    for (int id : {IDC_ACTIVE, IDC_DEACTIVE})
        EXPECT_EQ(placeOf(controlInClient(main, id)), placeOf(scaled(kBasePair, dpi))) << id;
    for (int id : {IDC_FSACTIVE, IDC_FSDEACTIVE})
        EXPECT_EQ(placeOf(controlInClient(main, id)), placeOf(scaled(kExpansionPair, dpi))) << id;
}

// Clicks the pair's picture near the bottom-right corner of its rectangle at `dpi`, a part
// that a picture left at its 96 dpi size would not cover, and waits for the pictures to show
// `after`.
[[nodiscard]] bool clickPairAt(HWND main, const RECT& pair, int dpi, const Pictures& after)
{
    const RECT client = clientOnScreen(main);
    const RECT area = scaled(pair, dpi);
    return bringToFront(main) && clickAt({client.left + area.right - 3, client.top + area.bottom - 3}) &&
           eventually([&] { return picturesOf(main) == after; });
}

struct Scale {
    const char* name;
    int dpi;
    // Without the imaging component the large pictures cannot be decoded, and the 96 dpi ones
    // are scaled instead.
    bool withoutImagingComponent = false;
};

class ScaledMainWindowTest : public LauncherTest, public ::testing::WithParamInterface<Scale> {
protected:
    // The launcher reads the screen's DPI as it starts; the setting goes back at once.
    void SetUp() override
    {
        const ScreenDpi screen(GetParam().dpi);
        if (GetParam().withoutImagingComponent) withoutImagingComponent_.emplace(L"windowscodecs");
        ASSERT_NO_FATAL_FAILURE(startWithStores("2\r\n", "2\r\n"));
    }

    std::optional<DllDisabled> withoutImagingComponent_;
};

TEST_P(ScaledMainWindowTest, LaysOutItsWindowAtTheScreensScale)
{
    const int dpi = GetParam().dpi;
    EXPECT_EQ(placeOf(clientOnScreen(main)), placeOf(scaled(kClientArea, dpi)));
    expectPicturesAt(main, dpi);
    saveScreenshot(L"launcher-" + zark::widen(GetParam().name), {main});

    // The caption's text, in the caption font at this scale, fits in the title bar between
    // the icon and the close button.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi));
    RECT frame;
    ASSERT_TRUE(GetWindowRect(main, &frame));
    const int titleBar = (frame.right - frame.left) - 2 * GetSystemMetricsForDpi(SM_CXFIXEDFRAME, dpi);
    EXPECT_LE(textWidth(windowText(main), metrics.lfCaptionFont) + GetSystemMetricsForDpi(SM_CXSMICON, dpi) +
                  GetSystemMetricsForDpi(SM_CXSIZE, dpi),
              titleBar);

    EXPECT_TRUE(clickPairAt(main, kExpansionPair, dpi, {false, true, true, false}));
    EXPECT_TRUE(clickPairAt(main, kExpansionPair, dpi, {false, true, false, true}));
    EXPECT_TRUE(clickPairAt(main, kBasePair, dpi, {true, false, false, true}));
    EXPECT_EQ(folder.read("zarkdata.dat"), "1\r\n");
}

INSTANTIATE_TEST_SUITE_P(Scales, ScaledMainWindowTest,
                         ::testing::Values(Scale{"120dpi", 120}, Scale{"144dpi", 144}, Scale{"192dpi", 192},
                                           Scale{"192dpiWithoutImagingComponent", 192, true}),
                         [](const auto& info) { return std::string("At") + info.param.name; });

// What the system sends a window that has moved to a monitor of another scale: the new DPI
// and the frame that it suggests. The rectangle is written into the launcher's own memory,
// since a pointer in a message is not carried across processes.
[[nodiscard]] bool sendDpiChanged(HWND window, int dpi, const RECT& suggested)
{
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

TEST_F(LauncherTest, LaysOutItsWindowAgainOnAMonitorOfAnotherScale)
{
    ASSERT_NO_FATAL_FAILURE(startWithStores("2\r\n", "2\r\n"));
    const int dpi = 144;
    RECT frame;
    ASSERT_TRUE(GetWindowRect(main, &frame));
    const SIZE size = sizeOf(frame);
    const RECT suggested{100, 80, 100 + scaled(size.cx, dpi), 80 + scaled(size.cy, dpi)};
    ASSERT_TRUE(sendDpiChanged(main, dpi, suggested));

    ASSERT_TRUE(GetWindowRect(main, &frame));
    EXPECT_EQ(frame.left, suggested.left);
    EXPECT_EQ(frame.top, suggested.top);
    EXPECT_EQ(sizeText(clientOnScreen(main)), sizeText(scaled(kClientArea, dpi)));
    expectPicturesAt(main, dpi);
    saveScreenshot(L"launcher-moved-to-144dpi", {main});
    EXPECT_TRUE(clickPairAt(main, kExpansionPair, dpi, {false, true, true, false}));
}

}  // namespace
}  // namespace windowtest
