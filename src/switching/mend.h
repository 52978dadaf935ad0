#pragma once

#include "switching/failure.h"
#include "switching/repair.h"

#include <optional>
#include <string>
#include <vector>

namespace zark {

// The launcher's offers to put right what stops a switch, and what it then says, in the words
// of a desktop program: zarkswitch says the same in its own.

// A rename found its file missing or its new name taken: the rule files do not stand where the
// stores say, which repair may put right.
bool RepairMayHelp(const Failure& failure);

// The report of such a failure, with what is out of place in the folder (the status check's
// findings) in place of the advice, and the offer to put the files where the stores say. Where
// nothing is out of place any more, since another program put it right meanwhile, it says to
// try again and offers nothing.
std::string RepairOffer(const Failure& failure, const std::vector<Stranded>& stranded,
                        const std::vector<std::string>& outOfPlace);

// What repair did, in the sentences zarkswitch repair prints, then whether the rule files agree
// with the stores, or what the player must decide: each decision, or where repair has none, what
// is still out of place. A failure that stopped repair ends the text with its report.
std::string RepairResult(const RepairReport& report, const std::optional<Failure>& failure,
                         const std::vector<std::string>& stillOutOfPlace);

// The report of a lock file that no switch can use (see LockFileClearable), which offers to
// clear it away and switch.
std::string ClearLockOffer(const Failure& failure);

}  // namespace zark
