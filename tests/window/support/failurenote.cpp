#include "support/failurenote.h"

#include "support/dialogs.h"
#include "support/handles.h"
#include "support/launcher.h"

#include "switching/winstrings.h"

#include <cstdio>

namespace windowtest {
namespace {

// Whether the process runs the program file under test.
bool isLauncher(DWORD processId) {
    const Handle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    wchar_t image[MAX_PATH];
    DWORD length = MAX_PATH;
    if (!process || !QueryFullProcessImageNameW(process.get(), 0, image, &length)) return false;
    return _wcsicmp(image, launcherPath().c_str()) == 0;
}

}  // namespace

void OpenMessageBoxAtFailure::OnTestPartResult(const ::testing::TestPartResult& result) {
    if (!result.failed()) return;
    for (HWND dialog : windowsOf(0, L"#32770")) {
        DWORD owner = 0;
        GetWindowThreadProcessId(dialog, &owner);
        if (!isLauncher(owner)) continue;
        const MessageBoxView box = readMessageBox(dialog);
        std::printf("The launcher shows a message box \"%s\":\n%s\n", zark::narrow(box.title).c_str(),
                    zark::narrow(box.text).c_str());
    }
    std::fflush(stdout);
}

}  // namespace windowtest
