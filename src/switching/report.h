#pragma once

#include "switching/failure.h"

#include <string>
#include <vector>

namespace zark {

// The text of the standard error report, lines separated by "\n": the error's number, its
// description and the file concerned; advice where the cause leaves the player something to
// do; and each file that a failed switch could not put back, with the name it is left under.
// Files are named by their full paths. A busy folder is reported in a sentence of its own.
std::string FailureReport(const Failure& failure, const std::vector<Stranded>& stranded = {});

// The failure in one line, as one finding among others: its description, the file, and the
// advice.
std::string FailureLine(const Failure& failure);

}  // namespace zark
