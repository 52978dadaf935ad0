#include "errorreport.h"

#include "messages.h"
#include "winstrings.h"

#include <string>

namespace zark {

void showErrorReport(HWND owner, const Failure& failure, const std::vector<Stranded>& stranded) {
    std::wstring text = L"Error " + std::to_wstring(failure.number) + L": " + widen(failure.description);
    if (!failure.file.empty()) text += L"\nFile: " + widen(failure.file);
    if (failure.accessDenied) {
        text += L"\n\nThe game folder is write-protected, for example because it lies under Program Files. "
                L"Run the launcher as administrator, or move the game to a folder where you may write.";
    }
    if (!stranded.empty()) {
        text += L"\n\nThese files could not be put back:";
        for (const Stranded& file : stranded) text += L"\n" + widen(file.file) + L" is left as " + widen(file.leftAs);
    }
    MessageBoxW(owner, text.c_str(), kAppTitle, MB_OK | MB_ICONERROR);
}

}  // namespace zark
