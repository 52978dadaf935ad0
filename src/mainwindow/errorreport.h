#pragma once

#include "failure.h"

#include <windows.h>

#include <vector>

namespace zark {

// The standard error report: a message box with the error's number, its description and the
// file concerned; advice when the system refused access; and each file that a failed switch
// could not put back, with the name it is left under.
void showErrorReport(HWND owner, const Failure& failure, const std::vector<Stranded>& stranded = {});

}  // namespace zark
