#include "modstate.h"

#include <limits>

namespace zark {

namespace {

// The numbers and descriptions of the reader's own failures: the classic runtime error
// numbers for these cases, which players may already know from other programs.
constexpr int kPastEndNumber = 62;
constexpr const char* kPastEndDescription = "Input past end of file";
constexpr int kOverflowNumber = 6;
constexpr const char* kOverflowDescription = "Overflow";

// A blank is a space or a tab, as in classic sequential-file input.
bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool endsItem(char c) { return isBlank(c) || c == ',' || c == '\r' || c == '\n'; }

}  // namespace

ModStateRead ParseModState(const std::string& content, const std::string& fileName) {
    std::size_t pos = 0;
    while (pos < content.size() && isBlank(content[pos])) ++pos;
    if (pos == content.size()) return Failure{kPastEndNumber, kPastEndDescription, fileName};

    std::size_t end = pos;
    while (end < content.size() && !endsItem(content[end])) ++end;

    // The launcher only ever writes plain digits. For anything else we read an optional sign
    // and the digits right after it and ignore the rest of the item ("12abc" is 12, "-7.5" is
    // -7); an item without such digits ("abc", "-", "\"1\"") reads as 0, like an empty one.
    bool negative = false;
    if (pos < end && (content[pos] == '+' || content[pos] == '-')) {
        negative = content[pos] == '-';
        ++pos;
    }
    // The magnitude stops growing once it is past the range, so long digit strings cannot
    // overflow the accumulator.
    constexpr long kLimit = -static_cast<long>(std::numeric_limits<ModState>::min());  // 32768
    long magnitude = 0;
    for (; pos < end && content[pos] >= '0' && content[pos] <= '9'; ++pos) {
        if (magnitude <= kLimit) magnitude = magnitude * 10 + (content[pos] - '0');
    }
    const long value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<ModState>::min() || value > std::numeric_limits<ModState>::max()) {
        return Failure{kOverflowNumber, kOverflowDescription, fileName};
    }
    return static_cast<ModState>(value);
}

ModStateRead ReadModState(FileSystem& fs, const std::string& fileName) {
    std::string content;
    if (auto failure = fs.readFile(fileName, content)) return *failure;
    return ParseModState(content, fileName);
}

std::optional<Failure> WriteModState(FileSystem& fs, const std::string& fileName, ModState value) {
    return fs.replaceAtomically(fileName, std::to_string(value) + "\r\n");
}

}  // namespace zark
