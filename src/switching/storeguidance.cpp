#include "storeguidance.h"

namespace zark {

namespace {

// "zarkdata.dat says 7, neither active nor inactive", with a hint where the store begins with
// a byte-order mark.
std::string undecidedStore(const std::string& store, ModState state, const StoreRead& read) {
    std::string text = store + " says " + DescribeState(state) + ", neither active nor inactive";
    if (read.byteOrderMark) {
        text += ": it begins with a byte-order mark, so save it as ANSI (plain text), not as Unicode or UTF-8";
    }
    return text;
}

// What an unreadable store is or holds, from what lies under its name and why reading failed.
std::string unreadableStore(const std::string& store, EntryKind kind, const Failure& failure) {
    if (kind == EntryKind::None) return store + " is missing";
    if (kind != EntryKind::File) return store + " is " + NotAFile(kind);
    switch (failure.number) {
    case kErrorPastEnd: return store + " is empty";
    case kErrorOverflow: return store + " holds a number out of range";
    case kErrorTooLong:
        return store + " holds more than " + std::to_string(kStoreLimit) + " bytes, far more than a store holds";
    default: return store + " cannot be read (" + failure.description + ")";
    }
}

// Neither sun.exe nor any rule file under either name is there.
bool holdsNothingOfTheGame(FileSystem& disk) {
    std::vector<std::string> names = RuleFileNames();
    names.push_back("sun.exe");
    for (const std::string& name : names) {
        EntryKind kind = EntryKind::None;
        if (disk.kindOf(name, kind) || kind != EntryKind::None) return false;
    }
    return true;
}

}  // namespace

std::optional<Failure> StoreProblem(FileSystem& disk, const Variant& variant, const StoreRead& read,
                                    std::string& problem) {
    EntryKind kind = EntryKind::None;
    if (auto failure = disk.kindOf(variant.store, kind)) return failure;
    std::string what;
    if (const Failure* failure = std::get_if<Failure>(&read.state)) {
        what = unreadableStore(variant.store, kind, *failure);
    } else if (const ModState state = std::get<ModState>(read.state); !IsDecided(state)) {
        what = undecidedStore(variant.store, state, read);
    } else if (kind != EntryKind::File) {
        // A link to a store: the switches read through it, but replace it with a file.
        what = variant.store + " is " + NotAFile(kind);
    } else {
        problem.clear();
        return std::nullopt;
    }
    problem = what + ". If " + variant.label + " is off, make " + variant.store +
              " hold the single line 2 (1 if it is on)";
    return std::nullopt;
}

void ExplainUnreadStore(FileSystem& disk, Failure& failure) {
    const Variant* variant = VariantWithStore(failure.file);
    EntryKind kind = EntryKind::None;
    if (variant == nullptr || disk.kindOf(variant->store, kind)) return;
    if (kind == EntryKind::None && holdsNothingOfTheGame(disk)) {
        failure.cause = Cause::NotGameFolder;
        return;
    }
    std::string problem;
    if (StoreProblem(disk, *variant, {failure}, problem) || problem.empty()) return;
    failure.advice = problem + ". Run zarkswitch status in the game folder to see what else is out of place.";
}

}  // namespace zark
