// Message boxes of the launcher, read from outside its process.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace windowtest {

struct MessageBoxView {
    HWND window = nullptr;
    std::wstring title;
    std::wstring text;
    std::vector<std::wstring> buttons;  // captions of the visible buttons
    bool hasIcon = false;
};

// A dialog-class window read as a message box.
MessageBoxView readMessageBox(HWND dialog);
// The first visible dialog-class window of the process, read as a message box.
std::optional<MessageBoxView> messageBoxOf(DWORD processId);
std::optional<MessageBoxView> waitForMessageBox(DWORD processId);

// A dialog box of a program other than the launcher whose text mentions `part`, whatever its
// case: how other programs answer what the launcher hands them.
HWND dialogOfAnotherProgram(DWORD launcherId, const std::wstring& part);

// Clicks the box's button `id` (IDOK, IDYES, IDNO) with the mouse; true once the box has gone.
bool press(const MessageBoxView& box, int id);
inline bool pressOk(const MessageBoxView& box) { return press(box, IDOK); }

// The caption of a window, read across processes.
std::wstring windowText(HWND window);

}  // namespace windowtest
