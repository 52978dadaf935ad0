#pragma once

#include "switching/failure.h"
#include "win/basewindow.h"
#include "win/scoped.h"

#include <windows.h>

#include <optional>

namespace zark {

// The About box `About`: the launcher's credits, in a window that keeps the main window
// disabled while it is open, so that it behaves as a modal dialog although it is shown
// modeless. The main window holds the object for its whole life; the box's window is built
// afresh at each opening and destroyed at each closing, and nothing of it is kept in between.
class About : public BaseWindow<About> {
public:
    static const WindowDesign kDesign;

    // Builds the box, hidden, and runs Form_Load, which disables `mainWindow`. A box that
    // cannot be built completely is gone again before that, and the failure is returned.
    std::optional<Failure> load(HINSTANCE instance, HWND mainWindow);

    // Shows the loaded box modeless and without an owner.
    void show();

    // Lets the open box see a message before it is translated and dispatched: a typed
    // character anywhere in the box closes it (key preview), and dialog keys reach its button.
    // Returns true if the message was used up.
    bool preTranslate(MSG& msg);

private:
    friend class BaseWindow<About>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    std::optional<Failure> OnCreate(HINSTANCE instance);
    void OnSetFocus(HWND window, HWND previous);
    void OnCommand(HWND window, int id, HWND control, UINT code);
    HBRUSH OnCtlColorStatic(HWND window, HDC dc, HWND control, int type);
    void OnLButtonDown(HWND window, BOOL doubleClick, int x, int y, UINT keys);
    void OnLButtonUp(HWND window, int x, int y, UINT keys);
    void OnClose(HWND window);
    void OnNCDestroy(HWND window);

    std::optional<Failure> createControls(HINSTANCE instance);
    std::optional<Failure> layOut();
    std::optional<Failure> fitOneLine(HWND label, const RECT& bounds, bool centred);

    void Form_Load();
    void Form_KeyPress();
    void form_click();
    void cmdOK_Click();
    void Form_Unload();
    void unload();

    HWND mainWindow_ = nullptr;
    // Both belong to the box's window and go with it.
    ScopedFont font_;
    HWND cmdOK_ = nullptr;
};

}  // namespace zark
