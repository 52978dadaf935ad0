#include "support/dialogs.h"

#include "support/input.h"
#include "support/launcher.h"
#include "support/wait.h"

#include <cwctype>

namespace windowtest {
namespace {

// The id that the system's message box gives the static control holding its text.
constexpr int kMessageTextId = 0xFFFF;

std::wstring className(HWND window) {
    wchar_t name[64];
    return GetClassNameW(window, name, 64) ? name : L"";
}

BOOL CALLBACK readControl(HWND control, LPARAM context) {
    auto& box = *reinterpret_cast<MessageBoxView*>(context);
    if (!IsWindowVisible(control)) return TRUE;
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    const std::wstring kind = className(control);
    if (_wcsicmp(kind.c_str(), L"Button") == 0) box.buttons.push_back(windowText(control));
    // The system's message box keeps its icon control when it shows no icon; it is empty then.
    if (_wcsicmp(kind.c_str(), L"Static") == 0 && (style & SS_TYPEMASK) == SS_ICON) {
        DWORD_PTR icon = 0;
        SendMessageTimeoutW(control, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, static_cast<UINT>(kPatience.count()), &icon);
        if (icon) box.hasIcon = true;
    }
    return TRUE;
}

}  // namespace

std::wstring windowText(HWND window) {
    wchar_t text[1024] = L"";
    DWORD_PTR copied = 0;
    // WM_GETTEXT rather than GetWindowTextW, which does not read controls of other processes.
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        static_cast<UINT>(kPatience.count()), &copied);
    return text;
}

MessageBoxView readMessageBox(HWND dialog) {
    MessageBoxView box;
    box.window = dialog;
    box.title = windowText(box.window);
    if (HWND text = GetDlgItem(box.window, kMessageTextId)) box.text = windowText(text);
    EnumChildWindows(box.window, readControl, reinterpret_cast<LPARAM>(&box));
    return box;
}

std::optional<MessageBoxView> messageBoxOf(DWORD processId) {
    const auto dialogs = windowsOf(processId, L"#32770");
    if (dialogs.empty()) return std::nullopt;
    return readMessageBox(dialogs.front());
}

std::optional<MessageBoxView> waitForMessageBox(DWORD processId) {
    return eventually([&] { return messageBoxOf(processId); });
}

HWND dialogOfAnotherProgram(DWORD launcherId, const std::wstring& part) {
    auto lower = [](std::wstring text) {
        for (wchar_t& c : text) c = static_cast<wchar_t>(towlower(c));
        return text;
    };
    for (HWND dialog : windowsOf(0, L"#32770")) {
        DWORD owner = 0;
        GetWindowThreadProcessId(dialog, &owner);
        if (owner == launcherId) continue;
        if (lower(readMessageBox(dialog).text).find(lower(part)) != std::wstring::npos) return dialog;
    }
    return nullptr;
}

bool press(const MessageBoxView& box, int id) {
    HWND button = GetDlgItem(box.window, id);
    if (!button) return false;
    RECT area;
    if (!GetWindowRect(button, &area)) return false;
    if (!bringToFront(box.window) || !clickAt(centreOf(area))) return false;
    return eventually([&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); });
}

}  // namespace windowtest
