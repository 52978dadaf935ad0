#include "failure.h"

namespace zark {

Failure PastEndFailure(const std::string& file) { return Failure{62, "Input past end of file", file}; }

Failure OverflowFailure(const std::string& file) { return Failure{6, "Overflow", file}; }

Failure NotPlainFileFailure(const std::string& file) {
    return Failure{75, "Path/File access error: not a plain file, but a folder, a device or a pipe", file};
}

Failure TooLongFailure(const std::string& file, std::size_t limit) {
    return Failure{59, "Bad record length: longer than " + std::to_string(limit) + " bytes, far more than a store holds",
                   file};
}

Failure BusyFailure(const std::string& file) {
    Failure failure{0, "Another program is switching ZARK in this folder. Try again once it has finished.", file};
    failure.cause = Cause::Busy;
    return failure;
}

}  // namespace zark
