#pragma once

#include "failure.h"

#include <string>
#include <vector>

namespace zark {

// The text of the standard error report, lines separated by "\n": the error's number, its
// description and the file concerned; advice when the system refused access; and each file
// that a failed switch could not put back, with the name it is left under.
std::string FailureReport(const Failure& failure, const std::vector<Stranded>& stranded = {});

}  // namespace zark
