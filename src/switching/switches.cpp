#include "switching/switches.h"

#include "switching/retry.h"

namespace zark {

namespace {

constexpr const char* kM1 = "ZARK is already activated!";
constexpr const char* kM2 =
    "If you have firestorm installed you should use Activate ZARKFS if you dont have firestorm "
    "installed use the apply ZARK button. If you use apply ZARKFS and dont have FS installed "
    "there is a possiblity that TS will crash. ZARK-FIRESTORM IS ACTIVATED!";
constexpr const char* kM3 = "ZARK is already DEactivated!";
constexpr const char* kM4 = "ZARK-FS is already activated!";
// No blank after "crash.": players know the message word for word.
constexpr const char* kM5 =
    "If you have firestorm installed you should use Activate ZARKFS if you dont have firestorm "
    "installed use the apply ZARK button. If you use apply ZARKFS and dont have FS installed "
    "there is a possiblity that TS will crash.ZARK-TS IS ACTIVATED!";
constexpr const char* kM6 = "ZARK-FS is already deactivated!";

// Reads a store into the outcome's field for it; false (with the failure set) if it failed.
bool readInto(FileSystem& disk, const std::string& store, std::optional<ModState>& field, SwitchOutcome& outcome) {
    ModStateRead read = ReadModState(disk, store);
    if (auto* failure = std::get_if<Failure>(&read)) {
        outcome.failure = std::move(*failure);
        return false;
    }
    field = std::get<ModState>(read);
    return true;
}

SwitchOutcome& refuse(SwitchOutcome& outcome, const char* message) {
    outcome.message = message;
    return outcome;
}

// Renames the variant's files to their names in state `to`, then writes `to` to the store.
// If a step fails, the renames already made are undone in reverse order before the failure
// is reported, so the files stay where the unchanged store says they are; a file that cannot
// be put back is listed as stranded. A file held open for a moment by another program is
// waited for, forwards and back.
SwitchOutcome& switchVariant(FileSystem& disk, const Variant& variant, ModState to, SwitchOutcome& outcome) {
    const bool activating = to == kActive;
    auto fromName = [&](const RuleFile& f) { return activating ? f.inactiveName : f.activeName; };
    auto toName = [&](const RuleFile& f) { return activating ? f.activeName : f.inactiveName; };
    auto rename = [&](const std::string& from, const std::string& target) {
        return Retrying(disk, [&] { return disk.renameNoReplace(from, target); });
    };

    std::size_t done = 0;
    std::optional<Failure> failure;
    for (; done < variant.files.size(); ++done) {
        const RuleFile& file = variant.files[done];
        if ((failure = rename(fromName(file), toName(file)))) break;
    }
    if (!failure) failure = WriteModState(disk, variant.store, to);
    if (!failure) {
        outcome.switchedTo = to;
        return outcome;
    }

    while (done > 0) {
        const RuleFile& file = variant.files[--done];
        if (rename(toName(file), fromName(file))) outcome.stranded.push_back({fromName(file), toName(file)});
    }
    outcome.failure = std::move(failure);
    return outcome;
}

}  // namespace

// The lock is not used here: taking it is the caller's proof that no other switch runs.
SwitchOutcome ActivateZark(FileSystem& disk, const SwitchLock&) {
    SwitchOutcome outcome;
    if (!readInto(disk, kBaseStore, outcome.basestateRead, outcome)) return outcome;
    if (!readInto(disk, kFsStore, outcome.fsstateRead, outcome)) return outcome;
    if (outcome.basestateRead == kActive) return refuse(outcome, kM1);
    if (outcome.fsstateRead == kActive) return refuse(outcome, kM2);
    if (outcome.basestateRead == kInactive) return switchVariant(disk, kBaseVariant, kActive, outcome);
    return outcome;
}

SwitchOutcome DeactivateZark(FileSystem& disk, const SwitchLock&) {
    SwitchOutcome outcome;
    if (!readInto(disk, kBaseStore, outcome.basestateRead, outcome)) return outcome;
    if (outcome.basestateRead == kInactive) return refuse(outcome, kM3);
    if (outcome.basestateRead == kActive) return switchVariant(disk, kBaseVariant, kInactive, outcome);
    return outcome;
}

SwitchOutcome ActivateZarkFs(FileSystem& disk, const SwitchLock&) {
    SwitchOutcome outcome;
    // The one command that reads the expansion store first.
    if (!readInto(disk, kFsStore, outcome.fsstateRead, outcome)) return outcome;
    if (!readInto(disk, kBaseStore, outcome.basestateRead, outcome)) return outcome;
    if (outcome.fsstateRead == kActive) return refuse(outcome, kM4);
    if (outcome.basestateRead == kActive) return refuse(outcome, kM5);
    if (outcome.fsstateRead == kInactive) return switchVariant(disk, kFsVariant, kActive, outcome);
    return outcome;
}

SwitchOutcome DeactivateZarkFs(FileSystem& disk, const SwitchLock&) {
    SwitchOutcome outcome;
    if (!readInto(disk, kFsStore, outcome.fsstateRead, outcome)) return outcome;
    if (outcome.fsstateRead == kInactive) return refuse(outcome, kM6);
    if (outcome.fsstateRead == kActive) return switchVariant(disk, kFsVariant, kInactive, outcome);
    return outcome;
}

SwitchCommand commandFor(const Variant& variant, bool activate) {
    if (&variant == &kFsVariant) return activate ? ActivateZarkFs : DeactivateZarkFs;
    return activate ? ActivateZark : DeactivateZark;
}

}  // namespace zark
