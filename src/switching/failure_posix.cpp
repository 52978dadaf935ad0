// The system's failures on POSIX systems: errno in the system's own words.
#include "switching/failure.h"

#include <cerrno>
#include <cstring>

namespace zark {

Failure systemFailure(int code, const std::string& file) {
    Failure failure;
    failure.number = code;
    failure.description = std::strerror(code);
    failure.file = file;
    return failure;
}

Failure lastFailure(const std::string& file) { return systemFailure(errno, file); }

}  // namespace zark
