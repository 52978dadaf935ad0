#pragma once

#include "switching/failure.h"

#include <windows.h>

#include <vector>

namespace zark {

// The standard error report: the core's failure text (number, description, file, advice,
// files left over) in a message box with the error icon. Another program switching in the
// folder is no error but a moment to wait: its sentence shows as the program's plain message.
void showErrorReport(HWND owner, const Failure& failure, const std::vector<Stranded>& stranded = {});

}  // namespace zark
