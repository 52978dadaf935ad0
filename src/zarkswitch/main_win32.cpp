// zarkswitch's entry point and console on Windows: wide arguments in, UTF-16 to a console
// window, UTF-8 with CR LF to a file or pipe.
#include "zarkswitch/zarkswitch.h"

#include "switching/failure.h"
#include "switching/winstrings.h"
#include "win/dllsearch.h"

#include <windows.h>

namespace zark {

std::optional<Failure> ChangeFolder(const std::string& folder) {
    if (!SetCurrentDirectoryW(widen(folder).c_str())) return lastFailure(folder);
    return std::nullopt;
}

}  // namespace zark

namespace {

class Win32Console final : public zark::Console {
public:
    void out(const std::string& text) override { ok_ = write(GetStdHandle(STD_OUTPUT_HANDLE), text) && ok_; }
    void err(const std::string& text) override { write(GetStdHandle(STD_ERROR_HANDLE), text); }
    // Whether all standard output reached its destination.
    bool ok() const { return ok_; }

private:
    static bool write(HANDLE handle, const std::string& text) {
        if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
        DWORD mode = 0;
        if (GetConsoleMode(handle, &mode)) {
            const std::wstring wide = zark::widen(text);
            DWORD written = 0;
            return WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) != 0;
        }
        std::string bytes;
        for (char c : text) {
            if (c == '\n') bytes += '\r';
            bytes += c;
        }
        DWORD written = 0;
        return WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != 0 &&
               written == bytes.size();
    }

    bool ok_ = true;
};

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
    Win32Console console;
    if (auto failure = zark::loadDllsFromSystemFolderOnly()) return zark::Failed(console, *failure);
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(zark::narrow(argv[i]));
    const int status = zark::RunZarkSwitch(args, console);
    // Output that could not be written (a full disk, a closed pipe) must not pass unnoticed.
    if (!console.ok() && status == zark::kExitDone) return zark::kExitDoneUnreported;
    return status;
}
