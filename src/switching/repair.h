#pragma once

#include "switching/failure.h"
#include "switching/filesystem.h"
#include "switching/switchlock.h"

#include <optional>
#include <string>
#include <vector>

namespace zark {

struct RepairReport {
    // Each rename and removal made: "Renamed rules.ini to zarkrules.ini".
    std::vector<std::string> done;
    // What the player must decide before the folder can agree, and how, each a sentence that
    // ends where the program that shows it says what to do next.
    std::vector<std::string> decisions;
};

// Under the switch lock, brings the rule files in line with the stores where they leave no doubt
// (a file under only the wrong name gets the right one, never replacing a file) and removes the
// temporary files of cut-short store writes. Where there is doubt it changes nothing and says
// what to decide. Stops at the first failing step; what was done stays, since each step brings
// the folder closer to agreeing.
std::optional<Failure> RepairFolder(FileSystem& disk, const SwitchLock& lock, RepairReport& report);

}  // namespace zark
