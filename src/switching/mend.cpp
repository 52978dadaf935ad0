#include "switching/mend.h"

#include "switching/foldercheck.h"
#include "switching/report.h"
#include "switching/switchlock.h"

namespace zark {

namespace {

std::string lines(const std::vector<std::string>& sentences, const std::string& ending = {}) {
    std::string text;
    for (const std::string& sentence : sentences) text += (text.empty() ? "" : "\n") + sentence + ending;
    return text;
}

}  // namespace

bool RepairMayHelp(const Failure& failure) {
    return failure.cause == Cause::SourceMissing || failure.cause == Cause::NameTaken;
}

std::string RepairOffer(const Failure& failure, const std::vector<Stranded>& stranded,
                        const std::vector<std::string>& outOfPlace) {
    Failure offered = failure;
    if (outOfPlace.empty()) {
        offered.advice = "The rule files agree with the stores now. Try again.";
        return FailureReport(offered, stranded);
    }
    offered.advice = "Out of place in the game folder:\n" + lines(outOfPlace);
    return FailureReport(offered, stranded) + "\n\nPut the rule files where " + kBaseStore + " and " + kFsStore +
           " say?";
}

std::string RepairResult(const RepairReport& report, const std::optional<Failure>& failure,
                         const std::vector<std::string>& stillOutOfPlace) {
    std::string text = lines(report.done);
    if (!text.empty()) text += failure ? "\n\n" : "\n";
    if (failure) {
        // A rename of repair's own fails that way only where another program moved the file since
        // repair looked.
        Failure stopped = *failure;
        if (RepairMayHelp(stopped)) stopped.advice = "Try again.";
        return text + FailureReport(stopped);
    }
    if (stillOutOfPlace.empty()) return text + kRulesAgree;
    if (report.decisions.empty()) return text + "Still out of place:\n" + lines(stillOutOfPlace);
    return text + lines(report.decisions, ", then switch again.");
}

std::string ClearLockOffer(const Failure& failure) {
    Failure offered = failure;
    const bool refused = failure.cause == Cause::LockFileRefused;
    offered.advice = (refused ? kLockFile + " is read-only or belongs to another user. " : std::string()) + kLockFile +
                     " only holds the switch lock, and the next switch makes it anew as a plain file." +
                     (refused ? "" : " A folder is removed only if it is empty.");
    return FailureReport(offered) + "\n\n" + (refused ? "Delete " : "Remove ") + kLockFile + " and switch now?";
}

}  // namespace zark
