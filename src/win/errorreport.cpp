#include "errorreport.h"

#include "messages.h"
#include "report.h"
#include "winstrings.h"

namespace zark {

void showErrorReport(HWND owner, const Failure& failure, const std::vector<Stranded>& stranded) {
    MessageBoxW(owner, widen(FailureReport(failure, stranded)).c_str(), kAppTitle, MB_OK | MB_ICONERROR);
}

}  // namespace zark
