#include "switching/failure.h"

namespace zark {

Failure PastEndFailure(const std::string& file) { return Failure{kErrorPastEnd, "Input past end of file", file}; }

Failure OverflowFailure(const std::string& file) { return Failure{kErrorOverflow, "Overflow", file}; }

Failure NotPlainFileFailure(const std::string& file) {
    return Failure{kErrorNotPlainFile, "Path/File access error: not a plain file, but a folder, a device or a pipe",
                   file};
}

Failure TooLongFailure(const std::string& file, std::size_t limit) {
    return Failure{kErrorTooLong,
                   "Bad record length: longer than " + std::to_string(limit) + " bytes, far more than a store holds",
                   file};
}

Failure BusyFailure(const std::string& file) {
    Failure failure{0, "Another program is switching ZARK in this folder. Try again once it has finished.", file};
    failure.cause = Cause::Busy;
    return failure;
}

bool AnotherProgramIsSwitching(const Failure& failure) { return failure.cause == Cause::Busy; }

Failure NotAFileFailure(const std::string& file, EntryKind kind) {
    return Failure{kErrorNotPlainFile, std::string("Path/File access error: ") + NotAFile(kind), file};
}

Failure LockFileNotAFileFailure(const std::string& file, EntryKind kind) {
    Failure failure = NotAFileFailure(file, kind);
    failure.cause = Cause::LockFileNotAFile;
    return failure;
}

}  // namespace zark
