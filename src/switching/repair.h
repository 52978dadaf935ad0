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

// Brings the rule files in line with the stores where the stores leave no doubt: a rule file
// that stands only under the wrong name gets the right one (never replacing a file), and the
// temporary files of cut-short store writes are removed. Where there is doubt (both names of
// a file there, or neither; both stores active; a store that cannot be read or says neither
// active nor inactive; another spelling of a name; a folder, a link or another non-file under
// a known name) it changes nothing for the files concerned and says what to decide. Runs under
// the folder's switch lock. Stops at the first step that fails; what was done until then stays
// done, since each step brings the folder closer to agreeing.
std::optional<Failure> RepairFolder(FileSystem& disk, const SwitchLock& lock, RepairReport& report);

}  // namespace zark
