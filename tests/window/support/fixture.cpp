#include "support/fixture.h"

#include "switching/winstrings.h"

namespace windowtest {

void LauncherTest::start() {
    launcher.emplace(folder.path());
    main = launcher->waitForMainWindow();
    ASSERT_NE(main, nullptr) << "the main window did not appear";
}

void LauncherTest::startWithStores(const std::string& base, const std::string& expansion) {
    layOutGame(folder, base, expansion);
    start();
}

void LauncherTest::expectMessage(const std::wstring& text) {
    const auto box = waitForMessageBox(launcher->id());
    ASSERT_TRUE(box) << "no message box appeared";
    EXPECT_EQ(box->title, kApplicationTitle);
    EXPECT_EQ(box->text, text);
    EXPECT_EQ(box->buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_FALSE(box->hasIcon);
    ASSERT_TRUE(pressOk(*box));
    EXPECT_TRUE(launcher->running());
}

void LauncherTest::expectErrorReport(const std::string& file) {
    const auto box = waitForMessageBox(launcher->id());
    ASSERT_TRUE(box) << "no error report appeared";
    EXPECT_EQ(box->title, kApplicationTitle);
    EXPECT_NE(box->text.find(zark::widen(file)), std::wstring::npos) << "the report does not name " << file;
    EXPECT_EQ(box->buttons, std::vector<std::wstring>{L"OK"});
    ASSERT_TRUE(pressOk(*box));
}

void LauncherTest::expectOffer(const std::wstring& text, int answer) {
    const auto box = waitForMessageBox(launcher->id());
    ASSERT_TRUE(box) << "no offer appeared";
    EXPECT_EQ(box->title, kApplicationTitle);
    EXPECT_EQ(box->text, text);
    EXPECT_EQ(box->buttons, (std::vector<std::wstring>{L"&Yes", L"&No"}));
    ASSERT_TRUE(press(*box, answer));
}

HWND LauncherTest::waitForHelpViewer() const {
    return eventually([&] { return dialogOfAnotherProgram(launcher->id(), folder.path() + L"\\zarkhelp.hlp"); });
}

}  // namespace windowtest
