#include "switching/storeguidance.h"

#include "switching/foldercheck.h"

namespace zark {

namespace {

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

void ExplainUnreadStore(FileSystem& disk, const StoresRead& stores, Failure& failure) {
    const Variant* variant = VariantWithStore(failure.file);
    EntryKind kind = EntryKind::None;
    if (variant == nullptr || disk.kindOf(variant->store, kind)) return;
    if (kind == EntryKind::None && holdsNothingOfTheGame(disk)) {
        failure.cause = Cause::NotGameFolder;
        return;
    }
    std::string problem;
    if (StoreProblem(disk, *variant, {failure}, problem) || problem.empty()) return;
    failure.advice = problem + ".";
    std::vector<std::string> findings;
    if (CheckFolder(disk, stores, findings)) return;
    std::string others;
    for (const std::string& finding : findings) {
        if (finding != problem) others += "\n" + finding;
    }
    if (!others.empty()) failure.advice += "\n\nAlso out of place in the game folder:" + others;
}

}  // namespace zark
