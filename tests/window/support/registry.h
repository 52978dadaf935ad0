// The shell's handler of http addresses in the Wine prefix's registry, replaced for one test.
#pragma once

#include <optional>
#include <string>

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

}  // namespace windowtest
