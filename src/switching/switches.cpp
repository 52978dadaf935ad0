#include "switches.h"

#include "variants.h"

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

Outcome failed(Failure failure, std::vector<Stranded> stranded = {}) {
    Outcome outcome;
    outcome.failure = std::move(failure);
    outcome.stranded = std::move(stranded);
    return outcome;
}

Outcome message(const char* text) {
    Outcome outcome;
    outcome.message = text;
    return outcome;
}

std::optional<Failure> readInto(FileSystem& fs, const std::string& store, ModState& field) {
    ModStateRead read = ReadModState(fs, store);
    if (auto* failure = std::get_if<Failure>(&read)) return *failure;
    field = std::get<ModState>(read);
    return std::nullopt;
}

// Renames the variant's files to their names in state `to`, then writes `to` to the store.
// If a step fails, the renames already made are undone in reverse order before the failure
// is reported, so the files stay where the unchanged store says they are; a file that cannot
// be put back is listed as stranded. `field` changes only when the whole switch succeeded.
Outcome switchVariant(FileSystem& fs, const Variant& variant, ModState to, ModState& field) {
    const bool activating = to == kActive;
    auto fromName = [&](const RuleFile& f) { return activating ? f.inactiveName : f.activeName; };
    auto toName = [&](const RuleFile& f) { return activating ? f.activeName : f.inactiveName; };

    std::size_t done = 0;
    std::optional<Failure> failure;
    for (; done < variant.files.size(); ++done) {
        const RuleFile& file = variant.files[done];
        if ((failure = fs.renameNoReplace(fromName(file), toName(file)))) break;
    }
    if (!failure) failure = WriteModState(fs, variant.store, to);
    if (!failure) {
        field = to;
        Outcome outcome;
        outcome.pictures = to;
        return outcome;
    }

    std::vector<Stranded> stranded;
    while (done > 0) {
        const RuleFile& file = variant.files[--done];
        if (fs.renameNoReplace(toName(file), fromName(file))) {
            stranded.push_back({fromName(file), toName(file)});
        }
    }
    return failed(std::move(*failure), std::move(stranded));
}

}  // namespace

Outcome ActivateZark(FileSystem& fs, ModState& basestate, ModState& fsstate) {
    if (auto failure = readInto(fs, kBaseStore, basestate)) return failed(*failure);
    if (auto failure = readInto(fs, kFsStore, fsstate)) return failed(*failure);
    if (basestate == kActive) return message(kM1);
    if (fsstate == kActive) return message(kM2);
    if (basestate == kInactive) return switchVariant(fs, kBaseVariant, kActive, basestate);
    return {};
}

Outcome DeactivateZark(FileSystem& fs, ModState& basestate) {
    if (auto failure = readInto(fs, kBaseStore, basestate)) return failed(*failure);
    if (basestate == kInactive) return message(kM3);
    if (basestate == kActive) return switchVariant(fs, kBaseVariant, kInactive, basestate);
    return {};
}

Outcome ActivateZarkFs(FileSystem& fs, ModState& basestate, ModState& fsstate) {
    // The one command that reads the expansion store first.
    if (auto failure = readInto(fs, kFsStore, fsstate)) return failed(*failure);
    if (auto failure = readInto(fs, kBaseStore, basestate)) return failed(*failure);
    if (fsstate == kActive) return message(kM4);
    if (basestate == kActive) return message(kM5);
    if (fsstate == kInactive) return switchVariant(fs, kFsVariant, kActive, fsstate);
    return {};
}

Outcome DeactivateZarkFs(FileSystem& fs, ModState& fsstate) {
    if (auto failure = readInto(fs, kFsStore, fsstate)) return failed(*failure);
    if (fsstate == kInactive) return message(kM6);
    if (fsstate == kActive) return switchVariant(fs, kFsVariant, kInactive, fsstate);
    return {};
}

}  // namespace zark
