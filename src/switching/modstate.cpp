#include "switching/modstate.h"

#include "switching/retry.h"

#include <limits>

namespace zark {

namespace {

// A blank is a space or a tab, as in classic sequential-file input.
bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool endsItem(char c) { return isBlank(c) || c == ',' || c == '\r' || c == '\n'; }

bool beginsWithByteOrderMark(const std::string& content) {
    return content.rfind("\xEF\xBB\xBF", 0) == 0 || content.rfind("\xFF\xFE", 0) == 0 ||
           content.rfind("\xFE\xFF", 0) == 0;
}

StoreRead parsed(const std::string& content, const std::string& fileName) {
    return {ParseModState(content, fileName), beginsWithByteOrderMark(content)};
}

StoreRead readStore(FileSystem& disk, const std::string& fileName) {
    std::string content;
    // A virus scanner may hold the store for a moment, as it may hold the rule files.
    if (auto failure = Retrying(disk, [&] { return disk.readFile(fileName, kStoreLimit, content); })) return {*failure};
    return parsed(content, fileName);
}

StoreRead glanceAtStore(FileSystem& disk, const std::string& fileName) {
    std::string content;
    if (auto failure = disk.readFile(fileName, kStoreLimit, content)) return {*failure};
    return parsed(content, fileName);
}

}  // namespace

ModStateRead ParseModState(const std::string& content, const std::string& fileName) {
    std::size_t pos = 0;
    while (pos < content.size() && isBlank(content[pos])) ++pos;
    if (pos == content.size()) return PastEndFailure(fileName);

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
        return OverflowFailure(fileName);
    }
    return static_cast<ModState>(value);
}

std::string DescribeState(ModState state) {
    if (state == kActive) return "active";
    if (state == kInactive) return "inactive";
    if (state == 0) return "not set";
    return std::to_string(state);
}

ModStateRead ReadModState(FileSystem& disk, const std::string& fileName) { return readStore(disk, fileName).state; }

std::optional<Failure> WriteModState(FileSystem& disk, const std::string& fileName, ModState value) {
    std::string temporary;
    if (auto failure = disk.writeTemporary(fileName, std::to_string(value) + "\r\n", temporary)) return failure;
    auto failure = Retrying(disk, [&] { return disk.replaceWith(temporary, fileName); });
    if (failure) {
        // The old content stays; the new one must not linger beside it. A temporary file that
        // cannot be removed is harmless to the game, and repair removes it later.
        Retrying(disk, [&] { return disk.removeFile(temporary); });
    }
    return failure;
}

bool IsStoreTemporary(const std::string& name) {
    for (const std::string& store : {kBaseStore, kFsStore}) {
        if (name.size() <= store.size() + 1 || name.compare(0, store.size() + 1, store + ".") != 0) continue;
        // <process>.<count>.tmp: two runs of digits, then the extension.
        std::size_t pos = store.size() + 1;
        for (int run = 0; run < 2; ++run) {
            const std::size_t start = pos;
            while (pos < name.size() && name[pos] >= '0' && name[pos] <= '9') ++pos;
            if (pos == start || pos == name.size() || name[pos] != '.') return false;
            ++pos;
        }
        return name.compare(pos, std::string::npos, "tmp") == 0;
    }
    return false;
}

StoresRead ReadStores(FileSystem& disk) { return {readStore(disk, kBaseStore), readStore(disk, kFsStore)}; }

StoresRead GlanceAtStores(FileSystem& disk) { return {glanceAtStore(disk, kBaseStore), glanceAtStore(disk, kFsStore)}; }

}  // namespace zark
