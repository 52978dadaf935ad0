#pragma once

#include "about/about.h"
#include "mainwindow/indicator.h"
#include "mainwindow/storewatch.h"
#include "pictures/artwork.h"
#include "switching/failure.h"
#include "switching/modstate.h"
#include "switching/switches.h"
#include "win/basewindow.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace zark {

// The main window: the background picture, one indicator per variant and the menu bar, the
// About box, and one procedure per menu command and indicator click.
class ZARKMain : public BaseWindow<ZARKMain> {
public:
    static const WindowDesign kDesign;

    ZARKMain();

    // Creates the window, hidden, laid out at its DPI with its client area at its place on the
    // screen. Creating it runs Form_Load; the failure that stopped either is returned, and then
    // no window remains.
    using BaseWindow::create;

    // The background at its natural size from the top-left corner, neither stretched nor tiled:
    // its last column lies outside the client area, and the class brush fills the row below it.
    void PaintContent(HDC dc) const;

    // For the message loop: the keys that move the focus between the indicators and press them,
    // as in a dialog. True if the message has been handled.
    bool preTranslate(MSG& msg);

    // The watch on the game folder, which the message loop waits for beside input.
    StoreWatch& watch() { return watch_; }

    // Another program may have changed the game folder: the indicators show what the stores hold
    // now. Nothing is written and no message shown.
    void storesChanged();

    // The message loop has first found nothing to do since the window was shown: the watch starts
    // and the stores are read, which the window's first activation leaves until then, since
    // Form_Load has only just read them.
    void wentIdle();

    // The About box, whose window exists while it is open.
    About& about() { return about_; }
    const About& about() const { return about_; }

private:
    friend class BaseWindow<ZARKMain>;
    std::optional<Failure> OnCreate(HINSTANCE instance);
    std::optional<Failure> layOut();
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void OnCommand(HWND hwnd, int id, HWND control, UINT code);
    void OnDrawItem(HWND hwnd, const DRAWITEMSTRUCT* item);
    void OnActivate(HWND hwnd, UINT state, HWND other, BOOL minimized);
    void OnDestroy(HWND hwnd);
    void followUiState(WPARAM change);
    void followFolderAfresh();

    std::optional<Failure> Form_Load();

    // The last values read from or written to zarkdata.dat and zarkdata2.dat, which their
    // indicators hold.
    ModState basestate() const { return modstatus.state(); }
    ModState fsstate() const { return fsmodstatus.state(); }

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

    // A click on an indicator (or Space, Enter or a screen reader's press) runs the click
    // procedure of the picture that it shows.
    void indicator_Click(const Indicator& indicator);

    // Switches the indicator's variant on or off.
    void switchVariant(Indicator& indicator, bool activate);
    SwitchOutcome runSwitch(SwitchCommand command, std::vector<std::string>& outOfPlace);
    void carryOut(const SwitchOutcome& outcome, const std::vector<std::string>& outOfPlace, Indicator& switched);
    void repairFolder();
    // The indicators show what the stores hold, where they could be read.
    void showStores(const StoresRead& stores);
    void showDocument(const std::wstring& document);

    // What the background and the pictures of the indicators draw, at the window's DPI.
    Artwork artwork_;

    // The variants' indicators, over the background's "Mod Status" and "Firestorm Mod Status"
    // frames.
    Indicator modstatus;
    Indicator fsmodstatus;

    // The indicator that had the focus when the window was last deactivated, which gets it back
    // when the window is active again; none before the window was first deactivated.
    HWND lastFocus_ = nullptr;
    // Whether the focused indicator shows a focus rectangle: not until the keyboard has moved
    // the focus.
    bool focusShown_ = false;

    StoreWatch watch_;
    // Whether the window has gone idle since it was shown, from which on each activation follows
    // the folder afresh.
    bool idle_ = false;

    About about_;
};

}  // namespace zark
