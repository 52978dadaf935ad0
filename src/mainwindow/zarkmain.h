#pragma once

#include "failure.h"
#include "modstate.h"
#include "resourcepicture.h"
#include "switches.h"

#include <windows.h>

#include <optional>
#include <string>

namespace zark {

// The main window: the background picture, the two pairs of indicator pictures and the menu
// bar, the two state fields, and one procedure per menu command and picture click.
class ZARKMain {
public:
    explicit ZARKMain(HINSTANCE instance);
    ZARKMain(const ZARKMain&) = delete;
    ZARKMain& operator=(const ZARKMain&) = delete;

    // Returns false with the thread's last error set if the class cannot be registered.
    static bool registerClass(HINSTANCE instance);

    // Creates the window, hidden, with its client area at its place on the screen. Creating
    // it runs Form_Load; the failure that stopped either is returned, and then no window
    // remains.
    std::optional<Failure> create();

    HWND window() const { return hwnd_; }

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    BOOL OnCreate(HWND hwnd, LPCREATESTRUCTW create);
    void OnPaint(HWND hwnd);
    void OnCommand(HWND hwnd, int id, HWND control, UINT code);
    void OnDestroy(HWND hwnd);

    std::optional<Failure> findPictures();
    std::optional<Failure> placeClientArea();

    std::optional<Failure> Form_Load();

    void activatezark_Click();
    void deactivatezark_Click();
    void activatezarkfs_Click();
    void deactivatezarkfs_Click();
    void active_Click();
    void deactive_Click();
    void fsactive_Click();
    void fsdeactive_Click();
    void exitlauncher_Click();

    void runtiberiansun_Click();
    void showreadme_Click();
    void showhistory_Click();
    void showlauncherhistory_Click();
    void visithomepage_Click();
    void visitnvaro_Click();
    void viewabout_Click();
    void viewhelp_Click();

    int StartURL(const std::wstring& address);

    using SwitchCommand = SwitchOutcome (*)(FileSystem&, const SwitchLock&);
    SwitchOutcome runSwitch(SwitchCommand command, ModState& switchedField);
    void carryOut(const SwitchOutcome& outcome, HWND activePicture, HWND inactivePicture);
    void showDocument(const std::wstring& document);

    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    // Why creating the window failed, kept from inside the creation for create() to return.
    std::optional<Failure> creationFailure_;

    // The last values read from or written to zarkdata.dat and zarkdata2.dat.
    ModState basestate = 0;
    ModState fsstate = 0;

    HWND active = nullptr;
    HWND deactive = nullptr;
    HWND fsactive = nullptr;
    HWND fsdeactive = nullptr;

    ResourcePicture backgroundPicture_;
    ResourcePicture activePicture_;
    ResourcePicture deactivePicture_;
    ResourcePicture fsactivePicture_;
    ResourcePicture fsdeactivePicture_;
};

}  // namespace zark
