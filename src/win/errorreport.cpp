#include "win/errorreport.h"

#include "switching/report.h"
#include "switching/winstrings.h"
#include "win/messagebox.h"

namespace zark {

void showErrorReport(HWND owner, const Failure& failure, const std::vector<Stranded>& stranded) {
    const std::wstring text = widen(FailureReport(failure, stranded));
    if (AnotherProgramIsSwitching(failure)) {
        showMessage(owner, text);
        return;
    }
    showMessageBox(owner, text, MB_OK | MB_ICONERROR);
}

}  // namespace zark
