#pragma once

#include "about/about.h"
#include "artwork.h"
#include "failure.h"
#include "indicatorpair.h"
#include "modstate.h"
#include "switches.h"
#include "win/basewindow.h"

#include <windows.h>

#include <optional>
#include <string>

namespace zark {

// The main window: the background picture, the two pairs of indicator pictures and the menu
// bar, the two state fields, the About box, and one procedure per menu command and picture
// click.
class ZARKMain : public BaseWindow<ZARKMain> {
public:
    explicit ZARKMain(HINSTANCE instance);

    // Returns false with the thread's last error set if the class cannot be registered.
    static bool registerClass(HINSTANCE instance);

    // Creates the window, hidden, laid out at its DPI with its client area at its place on the
    // screen. Creating it runs Form_Load; the failure that stopped either is returned, and
    // then no window remains.
    std::optional<Failure> create();

    // Another program may have changed the game folder: the pictures show what the stores hold
    // now. Nothing is written, no lock is taken and no message shown.
    void storesChanged();

    // The About box, whose window exists while it is open.
    About& about() { return about_; }
    const About& about() const { return about_; }

private:
    friend class BaseWindow<ZARKMain>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    BOOL OnCreate(HWND hwnd, LPCREATESTRUCTW create);
    void OnPaint(HWND hwnd);
    void OnCommand(HWND hwnd, int id, HWND control, UINT code);
    void OnDestroy(HWND hwnd);
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    LRESULT OnGetDpiScaledSize(UINT dpi, SIZE& frame);

    std::optional<Failure> layOutPictures();

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
    SwitchOutcome runSwitch(SwitchCommand command);
    void carryOut(const SwitchOutcome& outcome, const IndicatorPair& switched);
    void showDocument(const std::wstring& document);

    HINSTANCE instance_;
    // Why creating the window failed, kept from inside the creation for create() to return.
    std::optional<Failure> creationFailure_;

    // The last values read from or written to zarkdata.dat and zarkdata2.dat.
    ModState basestate = 0;
    ModState fsstate = 0;

    // The indicator pictures' windows.
    HWND active = nullptr;
    HWND deactive = nullptr;
    HWND fsactive = nullptr;
    HWND fsdeactive = nullptr;

    // Each variant's field with its pictures.
    const IndicatorPair base_{basestate, active, deactive};
    const IndicatorPair fs_{fsstate, fsactive, fsdeactive};

    // The DPI that the window is laid out at.
    UINT dpi_ = 0;
    // What the background and the indicator pictures draw, at that DPI.
    Artwork artwork_;

    About about_;
};

}  // namespace zark
