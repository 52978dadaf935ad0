#pragma once

#include <string>
#include <vector>

namespace zark {

// What went wrong in a store access or a rename, in the terms the error report shows:
// the error's number, its description and the file concerned.
struct Failure {
    int number = 0;
    std::string description;
    std::string file;
    // The system refused access (a write-protected game folder); the report adds advice.
    bool accessDenied = false;
};

// A rule file that a failed switch could not put back: it now stands under `leftAs`.
struct Stranded {
    std::string file;
    std::string leftAs;
};

}  // namespace zark
