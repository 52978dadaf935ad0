// The common ground of the window tests: a game folder, the launcher started in it, and the
// checks that every message of the launcher must pass.
#pragma once

#include "support/dialogs.h"
#include "support/gamefolder.h"
#include "support/launcher.h"
#include "support/mainwindow.h"
#include "support/wait.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace windowtest {

// The title of every message box of the launcher.
inline const std::wstring kApplicationTitle = L"ZARK Launcher v1.2";

class LauncherTest : public ::testing::Test {
protected:
    // Starts the launcher in the folder as it stands and waits for its main window.
    void start();
    // Lays out a game with these store bytes, then starts the launcher.
    void startWithStores(const std::string& base, const std::string& expansion);

    // Expects a message box with exactly this text, the application title, only an OK button
    // and no icon; presses OK and expects the launcher to go on running.
    void expectMessage(const std::wstring& text);
    // Expects the standard error report naming `file`; presses OK.
    void expectErrorReport(const std::string& file);
    // Expects an error report with this text that offers to put the failure right, with the
    // application title, Yes and No; answers with `answer` (IDYES or IDNO).
    void expectOffer(const std::wstring& text, int answer);
    // The help viewer that F1 opened on the game folder's zarkhelp.hlp: the tests' help file is
    // none that it can read, so it answers with a dialog naming the file. nullptr if none came.
    HWND waitForHelpViewer() const;

    GameFolder folder;  // outlives the launcher, whose working directory it is
    std::optional<Launcher> launcher;
    HWND main = nullptr;
};

}  // namespace windowtest
