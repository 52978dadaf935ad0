// Settings of the Wine prefix's registry that a test changes for itself: the shell's handler of http
// addresses, and which DLLs Wine prefers for the launcher.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace windowtest {

class HttpHandler {
public:
    // Makes `command` the open command of http addresses; none removes it.
    explicit HttpHandler(const std::optional<std::wstring>& command);
    // Puts the previous command back.
    ~HttpHandler();
    HttpHandler(const HttpHandler&) = delete;
    HttpHandler& operator=(const HttpHandler&) = delete;

private:
    std::optional<std::wstring> previous_;
};

// Wine told to prefer DLLs of these names found beside ZARKLauncher.exe (or in another folder
// it searches) to its own, as Windows does for any DLL outside its protected list; for one test.
class NativeDllsPreferred {
public:
    explicit NativeDllsPreferred(const std::vector<std::wstring>& names);
    // Wine goes back to its own DLLs for the launcher.
    ~NativeDllsPreferred();
    NativeDllsPreferred(const NativeDllsPreferred&) = delete;
    NativeDllsPreferred& operator=(const NativeDllsPreferred&) = delete;
};

}  // namespace windowtest
