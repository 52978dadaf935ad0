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

// The first visible dialog-class window of the process, read as a message box.
std::optional<MessageBoxView> messageBoxOf(DWORD processId);
std::optional<MessageBoxView> waitForMessageBox(DWORD processId);

// Clicks the box's OK button with the mouse; true once the box has gone.
bool pressOk(const MessageBoxView& box);

// The caption of a window, read across processes.
std::wstring windowText(HWND window);

}  // namespace windowtest
