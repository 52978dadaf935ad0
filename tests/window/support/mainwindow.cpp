#include "support/mainwindow.h"

#include "support/input.h"
#include "support/launcher.h"
#include "support/pixels.h"
#include "support/programfile.h"
#include "support/wait.h"

#include "resources/resource.h"

#include <oleacc.h>

namespace windowtest {
namespace {

// Layout of the "&Mod" menu: separators lie before Activate ZARK-FS, Run and Exit.
constexpr int kModCommands = 6;
constexpr int kModSeparators = 3;
constexpr int kSeparatorsBefore[kModCommands] = {0, 0, 1, 1, 2, 3};

// Wine draws a popup menu with a 3-pixel frame and separators of half a menu line.
constexpr int kPopupFrame = 3;

DWORD processOf(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return id;
}

HWND waitForPopup(HWND main) { return waitForWindow(processOf(main), L"#32768"); }

bool popupGone(HWND main) {
    return eventually([&] { return windowsOf(processOf(main), L"#32768").empty(); });
}

// The middle of a command of the open "&Mod" popup. Text items share one height, which
// follows from the popup's height once the frame and the separators are taken off.
POINT modItemCentre(HWND popup, int command) {
    RECT area;
    GetWindowRect(popup, &area);
    const int separator = GetSystemMetrics(SM_CYMENUSIZE) / 2;
    const int itemHeight = (area.bottom - area.top - 2 * kPopupFrame - kModSeparators * separator) / kModCommands;
    return {(area.left + area.right) / 2,
            area.top + kPopupFrame + command * itemHeight + kSeparatorsBefore[command] * separator + itemHeight / 2};
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const Pictures& pictures) {
    out << '{';
    const char* separator = "";
    for (auto [shown, name] : {std::pair{pictures.active, "active"},
                               {pictures.deactive, "deactive"},
                               {pictures.fsactive, "fsactive"},
                               {pictures.fsdeactive, "fsdeactive"}}) {
        if (!shown) continue;
        out << separator << name;
        separator = ", ";
    }
    return out << '}';
}

Pictures picturesOf(HWND main) {
    auto named = [&](int id, const wchar_t* name) {
        wchar_t text[64] = L"";
        // Asked as any other program asks, across processes.
        SendMessageW(GetDlgItem(main, id), WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
        return std::wstring(text) == name;
    };
    return {named(IDC_MODSTATUS, L"ZARK: ACTIVATED"), named(IDC_MODSTATUS, L"ZARK: DE-ACTIVATED"),
            named(IDC_FSMODSTATUS, L"ZARK-FS: ACTIVATED"), named(IDC_FSMODSTATUS, L"ZARK-FS: DE-ACTIVATED")};
}

Pictures picturesDrawn(HWND main) {
    const ProgramFile file(launcherPath());
    auto drawn = [&](int id, int bitmap) {
        const RECT area = controlOnScreen(main, id);
        return onScreen(area) == ofBitmap(file.bitmap(bitmap), {area.right - area.left, area.bottom - area.top});
    };
    return {drawn(IDC_MODSTATUS, IDB_ACTIVE), drawn(IDC_MODSTATUS, IDB_DEACTIVE), drawn(IDC_FSMODSTATUS, IDB_FSACTIVE),
            drawn(IDC_FSMODSTATUS, IDB_FSDEACTIVE)};
}

bool inMenuMode(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) && (info.flags & GUI_INMENUMODE);
}

HWND focusOf(HWND main) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info) ? info.hwndFocus : nullptr;
}

Accessible accessibleOf(HWND window) {
    Accessible seen;
    const HRESULT apartment = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IAccessible* object = nullptr;
    if (SUCCEEDED(
            AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&object)))) {
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR name = nullptr;
        if (SUCCEEDED(object->get_accName(self, &name)) && name != nullptr) seen.name = name;
        SysFreeString(name);
        VARIANT role{};
        if (SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4) seen.role = role.lVal;
        object->Release();
    }
    if (SUCCEEDED(apartment)) CoUninitialize();
    return seen;
}

RECT clientOnScreen(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

RECT controlOnScreen(HWND main, int id) {
    RECT area{};
    GetWindowRect(GetDlgItem(main, id), &area);
    return area;
}

RECT controlInClient(HWND window, int id) {
    const RECT client = clientOnScreen(window);
    RECT area = controlOnScreen(window, id);
    OffsetRect(&area, -client.left, -client.top);
    return area;
}

std::string placeOf(const RECT& r) {
    return std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right - r.left) + " x " +
           std::to_string(r.bottom - r.top);
}

bool clickIndicator(HWND main, int id) { return bringToFront(main) && clickAt(centreOf(controlOnScreen(main, id))); }

bool tabTo(HWND main, int id) {
    if (!bringToFront(main)) return false;
    const HWND indicator = GetDlgItem(main, id);
    // At least one step, so that the keyboard has moved the focus; two indicators, so at most two.
    for (int step = 0; step < 2; ++step) {
        const HWND before = focusOf(main);
        pressKeys({VK_TAB});
        if (!eventually([&] { return focusOf(main) != before; })) return false;
        if (focusOf(main) == indicator) return true;
    }
    return false;
}

bool chooseFromModMenu(HWND main, ModCommand command, MenuWay way) {
    const int index = static_cast<int>(command);
    if (way == MenuWay::Keyboard) return chooseByKeyboard(main, 'M', index);

    if (!bringToFront(main)) return false;
    const RECT client = clientOnScreen(main);
    if (!clickAt({client.left + 12, client.top - GetSystemMetrics(SM_CYMENU) / 2})) return false;
    HWND popup = waitForPopup(main);
    return popup && clickAt(modItemCentre(popup, index)) && popupGone(main);
}

bool chooseByKeyboard(HWND main, WORD accessLetter, int index) {
    if (!bringToFront(main)) return false;
    pressKeys({VK_MENU, accessLetter});
    if (!waitForPopup(main)) return false;
    for (int i = 0; i < index; ++i) pressKeys({VK_DOWN});
    pressKeys({VK_RETURN});
    return popupGone(main);
}

bool menuOpens(HWND main) {
    if (!bringToFront(main)) return false;
    pressKeys({VK_MENU, 'M'});
    if (!waitForPopup(main)) return false;
    // The first Escape closes the menu, the second leaves the menu bar.
    pressKeys({VK_ESCAPE});
    pressKeys({VK_ESCAPE});
    return popupGone(main) && eventually([&] { return !inMenuMode(main); });
}

}  // namespace windowtest
