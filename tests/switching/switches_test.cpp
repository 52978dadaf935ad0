// The four switch commands, on real temporary folders.
#include "switching/switches.h"
#include "faultyfilesystem.h"
#include "gamefolder.h"
#include "switching/retry.h"

#include <algorithm>
#include <cerrno>
#include <tuple>

namespace zark::test {
namespace {

// The messages, word for word as players know them (M5 has no blank after "crash.").
const std::string M1 = "ZARK is already activated!";
const std::string M2 =
    "If you have firestorm installed you should use Activate ZARKFS if you dont have firestorm installed use the "
    "apply ZARK button. If you use apply ZARKFS and dont have FS installed there is a possiblity that TS will "
    "crash. ZARK-FIRESTORM IS ACTIVATED!";
const std::string M3 = "ZARK is already DEactivated!";
const std::string M4 = "ZARK-FS is already activated!";
const std::string M5 =
    "If you have firestorm installed you should use Activate ZARKFS if you dont have firestorm installed use the "
    "apply ZARK button. If you use apply ZARKFS and dont have FS installed there is a possiblity that TS will "
    "crash.ZARK-TS IS ACTIVATED!";
const std::string M6 = "ZARK-FS is already deactivated!";

enum Command { ActivateZarkCmd, DeactivateZarkCmd, ActivateZarkFsCmd, DeactivateZarkFsCmd };

// What each command switches.
struct CommandSteps {
    const char* name;
    bool expansion;     // switches the expansion variant (store zarkdata2.dat)
    ModState newState;  // the state it switches to
};

const CommandSteps& steps(Command command) {
    static const CommandSteps table[] = {
        {"ActivateZark", false, kActive},
        {"DeactivateZark", false, kInactive},
        {"ActivateZarkFs", true, kActive},
        {"DeactivateZarkFs", true, kInactive},
    };
    return table[command];
}

// Runs a command as the programs do: under the folder's switch lock.
SwitchOutcome run(Command command, FileSystem& disk) {
    SwitchLock lock;
    if (auto failure = LockSwitching(disk, lock)) {
        ADD_FAILURE() << "cannot lock: " << failure->description;
        return {};
    }
    switch (command) {
    case ActivateZarkCmd: return ActivateZark(disk, lock);
    case DeactivateZarkCmd: return DeactivateZark(disk, lock);
    case ActivateZarkFsCmd: return ActivateZarkFs(disk, lock);
    case DeactivateZarkFsCmd: return DeactivateZarkFs(disk, lock);
    }
    return {};
}

std::optional<ModState> none() { return std::nullopt; }

// A store as a user's machine might hold it: the value plus a further line, so that any
// write shows in its bytes.
std::string storeBytes(ModState value) { return std::to_string(value) + "\r\nfurther line\r\n"; }

// A game folder with both stores and the three rule files: the two that both variants move under
// the game's names while either is active, firestrm.ini while the expansion is.
Snapshot folder(const std::string& baseStore, const std::string& fsStore, bool rulesActive, bool firestormActive) {
    auto named = [](const RuleNames& file, bool active) { return active ? file.gameName : file.zarkName; };
    return gameFolder(baseStore, fsStore,
                      {named(kRules, rulesActive), named(kArt, rulesActive), named(kFirestorm, firestormActive)});
}

// The folder that matches the stored values: a variant's files carry the game's names while
// its store says 1.
Snapshot folderFor(ModState base, ModState exp) {
    return folder(storeBytes(base), storeBytes(exp), base == kActive || exp == kActive, exp == kActive);
}

// ---------------------------------------------------------------------------------------------
// The outcomes by stored values, row by row as the switches' tables give them: a row stands for
// every value that its columns name, each store tried at 0, 1, 2, 3 and -1.

const std::vector<ModState> kOne{1};
const std::vector<ModState> kTwo{2};
const std::vector<ModState> kAny{0, 1, 2, 3, -1};
const std::vector<ModState> kNotOne{0, 2, 3, -1};
const std::vector<ModState> kNeither{0, 3, -1};  // "0 or other": neither 1 nor 2

// What a command does: shows a message, switches, or does nothing.
struct Expected {
    const std::string* message = nullptr;
    bool switches = false;
};
const Expected kSwitches{nullptr, true};
const Expected kNothing{};

struct OutcomeRow {
    Command command;
    const std::vector<ModState>& base;
    const std::vector<ModState>& exp;
    Expected expected;
};

// One row a line, in columns.
// clang-format off
const OutcomeRow kOutcomes[] = {
    // The base game's commands.
    // command            base      exp       outcome
    {ActivateZarkCmd,     kOne,     kAny,     {&M1}},
    {ActivateZarkCmd,     kTwo,     kOne,     {&M2}},
    {ActivateZarkCmd,     kTwo,     kNotOne,  kSwitches},
    {ActivateZarkCmd,     kNeither, kOne,     {&M2}},
    {ActivateZarkCmd,     kNeither, kNotOne,  kNothing},
    {DeactivateZarkCmd,   kOne,     kAny,     kSwitches},
    {DeactivateZarkCmd,   kTwo,     kOne,     {&M3}},
    {DeactivateZarkCmd,   kTwo,     kNotOne,  {&M3}},
    {DeactivateZarkCmd,   kNeither, kOne,     kNothing},
    {DeactivateZarkCmd,   kNeither, kNotOne,  kNothing},
    // The expansion's commands, whose table names exp first.
    {ActivateZarkFsCmd,   kAny,     kOne,     {&M4}},
    {ActivateZarkFsCmd,   kOne,     kTwo,     {&M5}},
    {ActivateZarkFsCmd,   kNotOne,  kTwo,     kSwitches},
    {ActivateZarkFsCmd,   kOne,     kNeither, {&M5}},
    {ActivateZarkFsCmd,   kNotOne,  kNeither, kNothing},
    {DeactivateZarkFsCmd, kAny,     kOne,     kSwitches},
    {DeactivateZarkFsCmd, kOne,     kTwo,     {&M6}},
    {DeactivateZarkFsCmd, kNotOne,  kTwo,     {&M6}},
    {DeactivateZarkFsCmd, kOne,     kNeither, kNothing},
    {DeactivateZarkFsCmd, kNotOne,  kNeither, kNothing},
};
// clang-format on

using TableCase = std::tuple<Command, ModState, ModState, Expected>;  // command, base store, expansion store

// Each row once for every pair of stored values it stands for.
std::vector<TableCase> tableCases() {
    std::vector<TableCase> cases;
    for (const OutcomeRow& row : kOutcomes) {
        for (ModState base : row.base) {
            for (ModState exp : row.exp) cases.emplace_back(row.command, base, exp, row.expected);
        }
    }
    return cases;
}

class OutcomeTable : public testing::TestWithParam<TableCase> {
    TempFolder folder_;
};

TEST_P(OutcomeTable, MatchesTheTable) {
    const auto [command, base, exp, expected] = GetParam();
    const CommandSteps& s = steps(command);
    create(folderFor(base, exp));

    const SwitchOutcome outcome = run(command, realFileSystem());

    ASSERT_FALSE(outcome.failure) << outcome.failure->description << ": " << outcome.failure->file;
    EXPECT_TRUE(outcome.stranded.empty());
    if (expected.message) {
        ASSERT_NE(outcome.message, nullptr);
        EXPECT_EQ(outcome.message, *expected.message);
    } else {
        EXPECT_EQ(outcome.message, nullptr) << outcome.message;
    }
    EXPECT_EQ(outcome.switchedTo, expected.switches ? std::optional<ModState>(s.newState) : none());

    // The outcome carries what each read store held; a store the command does not read has
    // no value.
    const bool readsBase = command != DeactivateZarkFsCmd;
    const bool readsFs = command != DeactivateZarkCmd;
    EXPECT_EQ(outcome.basestateRead, readsBase ? std::optional<ModState>(base) : none());
    EXPECT_EQ(outcome.fsstateRead, readsFs ? std::optional<ModState>(exp) : none());

    // The switched store holds exactly the new digits and CR LF; the other store is untouched.
    Snapshot after = folderFor(base, exp);
    if (expected.switches) {
        const std::string written = std::to_string(s.newState) + "\r\n";
        const bool active = s.newState == kActive;
        after = s.expansion ? folder(storeBytes(base), written, active, active)
                            : folder(written, storeBytes(exp), active, exp == kActive);
    }
    EXPECT_EQ(snapshot(), after);
}

INSTANTIATE_TEST_SUITE_P(AllStoredValues, OutcomeTable, testing::ValuesIn(tableCases()),
                         [](const testing::TestParamInfo<TableCase>& info) {
                             auto name = [](ModState v) {
                                 return v < 0 ? "minus" + std::to_string(-v) : std::to_string(v);
                             };
                             return std::string(steps(std::get<0>(info.param)).name) + "_base" +
                                    name(std::get<1>(info.param)) + "_exp" + name(std::get<2>(info.param));
                         });

// On and off again, each variant.
class RoundTrip : public testing::TestWithParam<bool> {
    TempFolder folder_;
};

TEST_P(RoundTrip, BringsBackEveryFile) {
    const bool expansion = GetParam();
    create(folderFor(kInactive, kInactive));
    const SwitchOutcome on = run(expansion ? ActivateZarkFsCmd : ActivateZarkCmd, realFileSystem());
    EXPECT_EQ(on.switchedTo, kActive);
    EXPECT_EQ(snapshot(),
              expansion ? folder(storeBytes(2), "1\r\n", true, true) : folder("1\r\n", storeBytes(2), true, false));
    const SwitchOutcome off = run(expansion ? DeactivateZarkFsCmd : DeactivateZarkCmd, realFileSystem());
    EXPECT_EQ(off.switchedTo, kInactive);
    EXPECT_EQ(snapshot(),
              expansion ? folder(storeBytes(2), "2\r\n", false, false) : folder("2\r\n", storeBytes(2), false, false));
}

INSTANTIATE_TEST_SUITE_P(Variants, RoundTrip, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) { return info.param ? "Expansion" : "Base"; });

// ---------------------------------------------------------------------------------------------
// Fault injection: each step of each switch fails in turn, and so do the undo renames.

// Stored values from which each command switches.
std::pair<ModState, ModState> switchingStores(Command command) {
    switch (command) {
    case ActivateZarkCmd: return {2, 2};
    case DeactivateZarkCmd: return {1, 2};
    case ActivateZarkFsCmd: return {2, 2};
    case DeactivateZarkFsCmd: return {2, 1};
    }
    return {};
}

struct FaultCase {
    const char* name;
    Command command;
    // The calls of each operation that fail, counted from 1: the failing step, then any undo
    // renames that fail too.
    std::set<int> failingReads, failingRenames, failingReplaces;
    std::vector<std::string> log;  // every call, in order
    const char* reported;          // the file the failure names
    std::vector<Stranded> stranded;
};

void PrintTo(const FaultCase& c, std::ostream* out) { *out << c.name; }

// Every step of every switch failing in turn, then each undo rename failing alone and all of
// them: the steps in order up to the failing one, then the undo renames in reverse.
// One row a line, in columns.
// clang-format off
const FaultCase kFaults[] = {
    {"ActivateZark_Read1", ActivateZarkCmd, {1}, {}, {},
     {"read zarkdata.dat"},
     "zarkdata.dat", {}},
    {"ActivateZark_Read2", ActivateZarkCmd, {2}, {}, {},
     {"read zarkdata.dat", "read zarkdata2.dat"},
     "zarkdata2.dat", {}},
    {"ActivateZark_Rename1", ActivateZarkCmd, {}, {1}, {},
     {"read zarkdata.dat", "read zarkdata2.dat", "rename zarkrules.ini -> rules.ini"},
     "zarkrules.ini", {}},
    {"ActivateZark_Rename2", ActivateZarkCmd, {}, {2}, {},
     {"read zarkdata.dat", "read zarkdata2.dat", "rename zarkrules.ini -> rules.ini",
      "rename zarkart.ini -> art.ini", "rename rules.ini -> zarkrules.ini"},
     "zarkart.ini", {}},
    {"ActivateZark_Rename2_Undo1", ActivateZarkCmd, {}, {2, 3}, {},
     {"read zarkdata.dat", "read zarkdata2.dat", "rename zarkrules.ini -> rules.ini",
      "rename zarkart.ini -> art.ini", "rename rules.ini -> zarkrules.ini"},
     "zarkart.ini", {{"zarkrules.ini", "rules.ini"}}},
    {"ActivateZark_Replace1", ActivateZarkCmd, {}, {}, {1},
     {"read zarkdata.dat", "read zarkdata2.dat", "rename zarkrules.ini -> rules.ini",
      "rename zarkart.ini -> art.ini", "write zarkdata.dat", "replace zarkdata.dat", "remove zarkdata.dat.tmp",
      "rename art.ini -> zarkart.ini", "rename rules.ini -> zarkrules.ini"},
     "zarkdata.dat", {}},
    {"ActivateZark_Replace1_Undo1", ActivateZarkCmd, {}, {3}, {1},
     {"read zarkdata.dat", "read zarkdata2.dat", "rename zarkrules.ini -> rules.ini",
      "rename zarkart.ini -> art.ini", "write zarkdata.dat", "replace zarkdata.dat", "remove zarkdata.dat.tmp",
      "rename art.ini -> zarkart.ini", "rename rules.ini -> zarkrules.ini"},
     "zarkdata.dat", {{"zarkart.ini", "art.ini"}}},
    {"ActivateZark_Replace1_Undo2", ActivateZarkCmd, {}, {4}, {1},
     {"read zarkdata.dat", "read zarkdata2.dat", "rename zarkrules.ini -> rules.ini",
      "rename zarkart.ini -> art.ini", "write zarkdata.dat", "replace zarkdata.dat", "remove zarkdata.dat.tmp",
      "rename art.ini -> zarkart.ini", "rename rules.ini -> zarkrules.ini"},
     "zarkdata.dat", {{"zarkrules.ini", "rules.ini"}}},
    {"ActivateZark_Replace1_Undo12", ActivateZarkCmd, {}, {3, 4}, {1},
     {"read zarkdata.dat", "read zarkdata2.dat", "rename zarkrules.ini -> rules.ini",
      "rename zarkart.ini -> art.ini", "write zarkdata.dat", "replace zarkdata.dat", "remove zarkdata.dat.tmp",
      "rename art.ini -> zarkart.ini", "rename rules.ini -> zarkrules.ini"},
     "zarkdata.dat", {{"zarkart.ini", "art.ini"}, {"zarkrules.ini", "rules.ini"}}},
    {"DeactivateZark_Read1", DeactivateZarkCmd, {1}, {}, {},
     {"read zarkdata.dat"},
     "zarkdata.dat", {}},
    {"DeactivateZark_Rename1", DeactivateZarkCmd, {}, {1}, {},
     {"read zarkdata.dat", "rename rules.ini -> zarkrules.ini"},
     "rules.ini", {}},
    {"DeactivateZark_Rename2", DeactivateZarkCmd, {}, {2}, {},
     {"read zarkdata.dat", "rename rules.ini -> zarkrules.ini", "rename art.ini -> zarkart.ini",
      "rename zarkrules.ini -> rules.ini"},
     "art.ini", {}},
    {"DeactivateZark_Rename2_Undo1", DeactivateZarkCmd, {}, {2, 3}, {},
     {"read zarkdata.dat", "rename rules.ini -> zarkrules.ini", "rename art.ini -> zarkart.ini",
      "rename zarkrules.ini -> rules.ini"},
     "art.ini", {{"rules.ini", "zarkrules.ini"}}},
    {"DeactivateZark_Replace1", DeactivateZarkCmd, {}, {}, {1},
     {"read zarkdata.dat", "rename rules.ini -> zarkrules.ini", "rename art.ini -> zarkart.ini",
      "write zarkdata.dat", "replace zarkdata.dat", "remove zarkdata.dat.tmp", "rename zarkart.ini -> art.ini",
      "rename zarkrules.ini -> rules.ini"},
     "zarkdata.dat", {}},
    {"DeactivateZark_Replace1_Undo1", DeactivateZarkCmd, {}, {3}, {1},
     {"read zarkdata.dat", "rename rules.ini -> zarkrules.ini", "rename art.ini -> zarkart.ini",
      "write zarkdata.dat", "replace zarkdata.dat", "remove zarkdata.dat.tmp", "rename zarkart.ini -> art.ini",
      "rename zarkrules.ini -> rules.ini"},
     "zarkdata.dat", {{"art.ini", "zarkart.ini"}}},
    {"DeactivateZark_Replace1_Undo2", DeactivateZarkCmd, {}, {4}, {1},
     {"read zarkdata.dat", "rename rules.ini -> zarkrules.ini", "rename art.ini -> zarkart.ini",
      "write zarkdata.dat", "replace zarkdata.dat", "remove zarkdata.dat.tmp", "rename zarkart.ini -> art.ini",
      "rename zarkrules.ini -> rules.ini"},
     "zarkdata.dat", {{"rules.ini", "zarkrules.ini"}}},
    {"DeactivateZark_Replace1_Undo12", DeactivateZarkCmd, {}, {3, 4}, {1},
     {"read zarkdata.dat", "rename rules.ini -> zarkrules.ini", "rename art.ini -> zarkart.ini",
      "write zarkdata.dat", "replace zarkdata.dat", "remove zarkdata.dat.tmp", "rename zarkart.ini -> art.ini",
      "rename zarkrules.ini -> rules.ini"},
     "zarkdata.dat", {{"art.ini", "zarkart.ini"}, {"rules.ini", "zarkrules.ini"}}},
    {"ActivateZarkFs_Read1", ActivateZarkFsCmd, {1}, {}, {},
     {"read zarkdata2.dat"},
     "zarkdata2.dat", {}},
    {"ActivateZarkFs_Read2", ActivateZarkFsCmd, {2}, {}, {},
     {"read zarkdata2.dat", "read zarkdata.dat"},
     "zarkdata.dat", {}},
    {"ActivateZarkFs_Rename1", ActivateZarkFsCmd, {}, {1}, {},
     {"read zarkdata2.dat", "read zarkdata.dat", "rename zarkfirestrm.ini -> firestrm.ini"},
     "zarkfirestrm.ini", {}},
    {"ActivateZarkFs_Rename2", ActivateZarkFsCmd, {}, {2}, {},
     {"read zarkdata2.dat", "read zarkdata.dat", "rename zarkfirestrm.ini -> firestrm.ini",
      "rename zarkrules.ini -> rules.ini", "rename firestrm.ini -> zarkfirestrm.ini"},
     "zarkrules.ini", {}},
    {"ActivateZarkFs_Rename2_Undo1", ActivateZarkFsCmd, {}, {2, 3}, {},
     {"read zarkdata2.dat", "read zarkdata.dat", "rename zarkfirestrm.ini -> firestrm.ini",
      "rename zarkrules.ini -> rules.ini", "rename firestrm.ini -> zarkfirestrm.ini"},
     "zarkrules.ini", {{"zarkfirestrm.ini", "firestrm.ini"}}},
    {"ActivateZarkFs_Rename3", ActivateZarkFsCmd, {}, {3}, {},
     {"read zarkdata2.dat", "read zarkdata.dat", "rename zarkfirestrm.ini -> firestrm.ini",
      "rename zarkrules.ini -> rules.ini", "rename zarkart.ini -> art.ini", "rename rules.ini -> zarkrules.ini",
      "rename firestrm.ini -> zarkfirestrm.ini"},
     "zarkart.ini", {}},
    {"ActivateZarkFs_Rename3_Undo1", ActivateZarkFsCmd, {}, {3, 4}, {},
     {"read zarkdata2.dat", "read zarkdata.dat", "rename zarkfirestrm.ini -> firestrm.ini",
      "rename zarkrules.ini -> rules.ini", "rename zarkart.ini -> art.ini", "rename rules.ini -> zarkrules.ini",
      "rename firestrm.ini -> zarkfirestrm.ini"},
     "zarkart.ini", {{"zarkrules.ini", "rules.ini"}}},
    {"ActivateZarkFs_Rename3_Undo2", ActivateZarkFsCmd, {}, {3, 5}, {},
     {"read zarkdata2.dat", "read zarkdata.dat", "rename zarkfirestrm.ini -> firestrm.ini",
      "rename zarkrules.ini -> rules.ini", "rename zarkart.ini -> art.ini", "rename rules.ini -> zarkrules.ini",
      "rename firestrm.ini -> zarkfirestrm.ini"},
     "zarkart.ini", {{"zarkfirestrm.ini", "firestrm.ini"}}},
    {"ActivateZarkFs_Rename3_Undo12", ActivateZarkFsCmd, {}, {3, 4, 5}, {},
     {"read zarkdata2.dat", "read zarkdata.dat", "rename zarkfirestrm.ini -> firestrm.ini",
      "rename zarkrules.ini -> rules.ini", "rename zarkart.ini -> art.ini", "rename rules.ini -> zarkrules.ini",
      "rename firestrm.ini -> zarkfirestrm.ini"},
     "zarkart.ini", {{"zarkrules.ini", "rules.ini"}, {"zarkfirestrm.ini", "firestrm.ini"}}},
    {"ActivateZarkFs_Replace1", ActivateZarkFsCmd, {}, {}, {1},
     {"read zarkdata2.dat", "read zarkdata.dat", "rename zarkfirestrm.ini -> firestrm.ini",
      "rename zarkrules.ini -> rules.ini", "rename zarkart.ini -> art.ini", "write zarkdata2.dat",
      "replace zarkdata2.dat", "remove zarkdata2.dat.tmp", "rename art.ini -> zarkart.ini",
      "rename rules.ini -> zarkrules.ini", "rename firestrm.ini -> zarkfirestrm.ini"},
     "zarkdata2.dat", {}},
    {"ActivateZarkFs_Replace1_Undo1", ActivateZarkFsCmd, {}, {4}, {1},
     {"read zarkdata2.dat", "read zarkdata.dat", "rename zarkfirestrm.ini -> firestrm.ini",
      "rename zarkrules.ini -> rules.ini", "rename zarkart.ini -> art.ini", "write zarkdata2.dat",
      "replace zarkdata2.dat", "remove zarkdata2.dat.tmp", "rename art.ini -> zarkart.ini",
      "rename rules.ini -> zarkrules.ini", "rename firestrm.ini -> zarkfirestrm.ini"},
     "zarkdata2.dat", {{"zarkart.ini", "art.ini"}}},
    {"ActivateZarkFs_Replace1_Undo2", ActivateZarkFsCmd, {}, {5}, {1},
     {"read zarkdata2.dat", "read zarkdata.dat", "rename zarkfirestrm.ini -> firestrm.ini",
      "rename zarkrules.ini -> rules.ini", "rename zarkart.ini -> art.ini", "write zarkdata2.dat",
      "replace zarkdata2.dat", "remove zarkdata2.dat.tmp", "rename art.ini -> zarkart.ini",
      "rename rules.ini -> zarkrules.ini", "rename firestrm.ini -> zarkfirestrm.ini"},
     "zarkdata2.dat", {{"zarkrules.ini", "rules.ini"}}},
    {"ActivateZarkFs_Replace1_Undo3", ActivateZarkFsCmd, {}, {6}, {1},
     {"read zarkdata2.dat", "read zarkdata.dat", "rename zarkfirestrm.ini -> firestrm.ini",
      "rename zarkrules.ini -> rules.ini", "rename zarkart.ini -> art.ini", "write zarkdata2.dat",
      "replace zarkdata2.dat", "remove zarkdata2.dat.tmp", "rename art.ini -> zarkart.ini",
      "rename rules.ini -> zarkrules.ini", "rename firestrm.ini -> zarkfirestrm.ini"},
     "zarkdata2.dat", {{"zarkfirestrm.ini", "firestrm.ini"}}},
    {"ActivateZarkFs_Replace1_Undo123", ActivateZarkFsCmd, {}, {4, 5, 6}, {1},
     {"read zarkdata2.dat", "read zarkdata.dat", "rename zarkfirestrm.ini -> firestrm.ini",
      "rename zarkrules.ini -> rules.ini", "rename zarkart.ini -> art.ini", "write zarkdata2.dat",
      "replace zarkdata2.dat", "remove zarkdata2.dat.tmp", "rename art.ini -> zarkart.ini",
      "rename rules.ini -> zarkrules.ini", "rename firestrm.ini -> zarkfirestrm.ini"},
     "zarkdata2.dat", {{"zarkart.ini", "art.ini"}, {"zarkrules.ini", "rules.ini"}, {"zarkfirestrm.ini", "firestrm.ini"}}},
    {"DeactivateZarkFs_Read1", DeactivateZarkFsCmd, {1}, {}, {},
     {"read zarkdata2.dat"},
     "zarkdata2.dat", {}},
    {"DeactivateZarkFs_Rename1", DeactivateZarkFsCmd, {}, {1}, {},
     {"read zarkdata2.dat", "rename firestrm.ini -> zarkfirestrm.ini"},
     "firestrm.ini", {}},
    {"DeactivateZarkFs_Rename2", DeactivateZarkFsCmd, {}, {2}, {},
     {"read zarkdata2.dat", "rename firestrm.ini -> zarkfirestrm.ini", "rename rules.ini -> zarkrules.ini",
      "rename zarkfirestrm.ini -> firestrm.ini"},
     "rules.ini", {}},
    {"DeactivateZarkFs_Rename2_Undo1", DeactivateZarkFsCmd, {}, {2, 3}, {},
     {"read zarkdata2.dat", "rename firestrm.ini -> zarkfirestrm.ini", "rename rules.ini -> zarkrules.ini",
      "rename zarkfirestrm.ini -> firestrm.ini"},
     "rules.ini", {{"firestrm.ini", "zarkfirestrm.ini"}}},
    {"DeactivateZarkFs_Rename3", DeactivateZarkFsCmd, {}, {3}, {},
     {"read zarkdata2.dat", "rename firestrm.ini -> zarkfirestrm.ini", "rename rules.ini -> zarkrules.ini",
      "rename art.ini -> zarkart.ini", "rename zarkrules.ini -> rules.ini",
      "rename zarkfirestrm.ini -> firestrm.ini"},
     "art.ini", {}},
    {"DeactivateZarkFs_Rename3_Undo1", DeactivateZarkFsCmd, {}, {3, 4}, {},
     {"read zarkdata2.dat", "rename firestrm.ini -> zarkfirestrm.ini", "rename rules.ini -> zarkrules.ini",
      "rename art.ini -> zarkart.ini", "rename zarkrules.ini -> rules.ini",
      "rename zarkfirestrm.ini -> firestrm.ini"},
     "art.ini", {{"rules.ini", "zarkrules.ini"}}},
    {"DeactivateZarkFs_Rename3_Undo2", DeactivateZarkFsCmd, {}, {3, 5}, {},
     {"read zarkdata2.dat", "rename firestrm.ini -> zarkfirestrm.ini", "rename rules.ini -> zarkrules.ini",
      "rename art.ini -> zarkart.ini", "rename zarkrules.ini -> rules.ini",
      "rename zarkfirestrm.ini -> firestrm.ini"},
     "art.ini", {{"firestrm.ini", "zarkfirestrm.ini"}}},
    {"DeactivateZarkFs_Rename3_Undo12", DeactivateZarkFsCmd, {}, {3, 4, 5}, {},
     {"read zarkdata2.dat", "rename firestrm.ini -> zarkfirestrm.ini", "rename rules.ini -> zarkrules.ini",
      "rename art.ini -> zarkart.ini", "rename zarkrules.ini -> rules.ini",
      "rename zarkfirestrm.ini -> firestrm.ini"},
     "art.ini", {{"rules.ini", "zarkrules.ini"}, {"firestrm.ini", "zarkfirestrm.ini"}}},
    {"DeactivateZarkFs_Replace1", DeactivateZarkFsCmd, {}, {}, {1},
     {"read zarkdata2.dat", "rename firestrm.ini -> zarkfirestrm.ini", "rename rules.ini -> zarkrules.ini",
      "rename art.ini -> zarkart.ini", "write zarkdata2.dat", "replace zarkdata2.dat", "remove zarkdata2.dat.tmp",
      "rename zarkart.ini -> art.ini", "rename zarkrules.ini -> rules.ini",
      "rename zarkfirestrm.ini -> firestrm.ini"},
     "zarkdata2.dat", {}},
    {"DeactivateZarkFs_Replace1_Undo1", DeactivateZarkFsCmd, {}, {4}, {1},
     {"read zarkdata2.dat", "rename firestrm.ini -> zarkfirestrm.ini", "rename rules.ini -> zarkrules.ini",
      "rename art.ini -> zarkart.ini", "write zarkdata2.dat", "replace zarkdata2.dat", "remove zarkdata2.dat.tmp",
      "rename zarkart.ini -> art.ini", "rename zarkrules.ini -> rules.ini",
      "rename zarkfirestrm.ini -> firestrm.ini"},
     "zarkdata2.dat", {{"art.ini", "zarkart.ini"}}},
    {"DeactivateZarkFs_Replace1_Undo2", DeactivateZarkFsCmd, {}, {5}, {1},
     {"read zarkdata2.dat", "rename firestrm.ini -> zarkfirestrm.ini", "rename rules.ini -> zarkrules.ini",
      "rename art.ini -> zarkart.ini", "write zarkdata2.dat", "replace zarkdata2.dat", "remove zarkdata2.dat.tmp",
      "rename zarkart.ini -> art.ini", "rename zarkrules.ini -> rules.ini",
      "rename zarkfirestrm.ini -> firestrm.ini"},
     "zarkdata2.dat", {{"rules.ini", "zarkrules.ini"}}},
    {"DeactivateZarkFs_Replace1_Undo3", DeactivateZarkFsCmd, {}, {6}, {1},
     {"read zarkdata2.dat", "rename firestrm.ini -> zarkfirestrm.ini", "rename rules.ini -> zarkrules.ini",
      "rename art.ini -> zarkart.ini", "write zarkdata2.dat", "replace zarkdata2.dat", "remove zarkdata2.dat.tmp",
      "rename zarkart.ini -> art.ini", "rename zarkrules.ini -> rules.ini",
      "rename zarkfirestrm.ini -> firestrm.ini"},
     "zarkdata2.dat", {{"firestrm.ini", "zarkfirestrm.ini"}}},
    {"DeactivateZarkFs_Replace1_Undo123", DeactivateZarkFsCmd, {}, {4, 5, 6}, {1},
     {"read zarkdata2.dat", "rename firestrm.ini -> zarkfirestrm.ini", "rename rules.ini -> zarkrules.ini",
      "rename art.ini -> zarkart.ini", "write zarkdata2.dat", "replace zarkdata2.dat", "remove zarkdata2.dat.tmp",
      "rename zarkart.ini -> art.ini", "rename zarkrules.ini -> rules.ini",
      "rename zarkfirestrm.ini -> firestrm.ini"},
     "zarkdata2.dat", {{"art.ini", "zarkart.ini"}, {"rules.ini", "zarkrules.ini"}, {"firestrm.ini", "zarkfirestrm.ini"}}},

};
// clang-format on

class FaultInjection : public testing::TestWithParam<FaultCase> {
    TempFolder folder_;
};

TEST_P(FaultInjection, UndoesEverythingOrNamesWhatIsLeft) {
    const FaultCase& c = GetParam();
    const auto [base, exp] = switchingStores(c.command);
    const Snapshot before = folderFor(base, exp);
    create(before);
    FaultyFileSystem disk;
    disk.failing[FaultyFileSystem::Read] = c.failingReads;
    disk.failing[FaultyFileSystem::Rename] = c.failingRenames;
    disk.failing[FaultyFileSystem::Replace] = c.failingReplaces;

    const SwitchOutcome outcome = run(c.command, disk);

    EXPECT_EQ(disk.log, c.log);
    ASSERT_TRUE(outcome.failure);
    EXPECT_EQ(outcome.failure->number, FaultyFileSystem::injected("").number);
    EXPECT_EQ(outcome.failure->file, c.reported);
    EXPECT_EQ(outcome.message, nullptr);
    EXPECT_FALSE(outcome.switchedTo);

    // Every file is back, except those whose undo failed: they are named, in the order the
    // undo met them, under the name they are left with.
    ASSERT_EQ(outcome.stranded.size(), c.stranded.size());
    Renames left;
    for (std::size_t i = 0; i < c.stranded.size(); ++i) {
        EXPECT_EQ(outcome.stranded[i].file, c.stranded[i].file);
        EXPECT_EQ(outcome.stranded[i].leftAs, c.stranded[i].leftAs);
        left.emplace_back(c.stranded[i].file, c.stranded[i].leftAs);
    }
    EXPECT_EQ(snapshot(), renamed(before, left));

    // The outcome keeps each store read before the failure.
    for (const std::string& store : {kBaseStore, kFsStore}) {
        const bool read = std::count(c.log.begin(), c.log.end(), "read " + store) == 1 &&
                          !(!c.failingReads.empty() && c.reported == store);
        const std::optional<ModState> value = store == kBaseStore ? base : exp;
        EXPECT_EQ(outcome.stateRead(store), read ? value : none()) << store;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryStep, FaultInjection, testing::ValuesIn(kFaults),
                         [](const testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------
// A file held open for a moment by another program (a virus scanner, an indexer) is waited
// for, forwards and back; one held for longer fails the switch after about two seconds, and
// everything is put back.

struct HoldCase {
    const char* label;
    FaultyFileSystem::Op op;
    std::set<int> failing;  // calls of `op` that fail for good
    std::set<int> held;     // calls of `op` held for the moment
    const char* heldFile;   // a file held for good, or null
    bool switches;
};

std::ostream& operator<<(std::ostream& out, const HoldCase& c) { return out << c.label; }

class Held : public testing::TestWithParam<HoldCase> {
    TempFolder folder_;
};

TEST_P(Held, WaitsThenSwitchesOrPutsBack) {
    const HoldCase& c = GetParam();
    const Snapshot before = folderFor(2, 2);
    create(before);
    FaultyFileSystem disk;
    disk.failing[c.op] = c.failing;
    disk.held[c.op] = c.held;
    if (c.heldFile) disk.heldFiles[c.op].insert(c.heldFile);
    // The expansion's activation: three renames and the store.
    const SwitchOutcome outcome = run(ActivateZarkFsCmd, disk);

    EXPECT_TRUE(outcome.stranded.empty());
    if (c.switches) {
        EXPECT_FALSE(outcome.failure) << outcome.failure->description;
        EXPECT_EQ(outcome.switchedTo, kActive);
        EXPECT_EQ(snapshot(), folder(storeBytes(2), "1\r\n", true, true));
        EXPECT_LT(disk.pausedMs(), 100) << "a short hold costs a short wait";
    } else {
        ASSERT_TRUE(outcome.failure);
        EXPECT_EQ(outcome.failure->number, FaultyFileSystem::injected("").number);
        EXPECT_EQ(snapshot(), before);
        if (c.heldFile) {
            EXPECT_GT(disk.calls[c.op], 1) << "the held step was never tried again";
            EXPECT_GE(disk.pausedMs(), kRetryBudgetMs);
            EXPECT_LT(disk.pausedMs(), kRetryBudgetMs + kLongestPauseMs + 1);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Steps, Held,
    testing::Values(HoldCase{"RenameOnce", FaultyFileSystem::Rename, {}, {1}, nullptr, true},
                    HoldCase{"RenameTwice", FaultyFileSystem::Rename, {}, {3, 4}, nullptr, true},
                    HoldCase{"StoreReplacementTwice", FaultyFileSystem::Replace, {}, {1, 2}, nullptr, true},
                    // The third rename fails for good; the undo finds the second file held twice.
                    HoldCase{"UndoRenameTwice", FaultyFileSystem::Rename, {3}, {4, 5}, nullptr, false},
                    HoldCase{"RenameForGood", FaultyFileSystem::Rename, {}, {}, "zarkrules.ini", false},
                    HoldCase{"StoreReplacementForGood", FaultyFileSystem::Replace, {}, {}, "zarkdata2.dat", false}),
    [](const testing::TestParamInfo<HoldCase>& info) { return std::string(info.param.label); });

// ---------------------------------------------------------------------------------------------
// Failures on the real disk.

struct DiskCase {
    const char* label;
    Command command;
    ModState base, exp;
    std::vector<std::string> removed;  // files taken out of the matching folder
    std::vector<std::string> added;    // files put into it (content "stray")
    int errorNumber;                   // 0: the command succeeds
    const char* file;                  // the file the failure names
};

std::ostream& operator<<(std::ostream& out, const DiskCase& c) { return out << c.label; }

class DiskFailure : public testing::TestWithParam<DiskCase> {
    TempFolder folder_;
};

TEST_P(DiskFailure, ChangesNothing) {
    const DiskCase& c = GetParam();
    Snapshot before = folderFor(c.base, c.exp);
    for (const auto& name : c.removed) before.erase(name);
    for (const auto& name : c.added) before[name] = "stray";
    create(before);

    const SwitchOutcome outcome = run(c.command, realFileSystem());
    if (c.errorNumber == 0) {
        EXPECT_FALSE(outcome.failure);
        EXPECT_EQ(outcome.switchedTo, steps(c.command).newState);
        return;
    }
    ASSERT_TRUE(outcome.failure);
    EXPECT_EQ(outcome.failure->number, c.errorNumber);
    EXPECT_EQ(outcome.failure->file, c.file);
    EXPECT_TRUE(outcome.stranded.empty());
    EXPECT_EQ(snapshot(), before);
}

INSTANTIATE_TEST_SUITE_P(
    OnDisk, DiskFailure,
    testing::Values(
        DiskCase{"RulesIniAlreadyThere", ActivateZarkCmd, 2, 2, {}, {"rules.ini"}, EEXIST, "rules.ini"},
        DiskCase{"ZarkArtMissing", ActivateZarkCmd, 2, 2, {"zarkart.ini"}, {}, ENOENT, "zarkart.ini"},
        DiskCase{
            "ZarkRulesPresentOnDeactivation", DeactivateZarkCmd, 1, 2, {}, {"zarkrules.ini"}, EEXIST, "zarkrules.ini"},
        DiskCase{"ExpansionStoreMissing", ActivateZarkCmd, 2, 2, {kFsStore}, {}, ENOENT, "zarkdata2.dat"},
        DiskCase{"DeactivationNeedsNoExpansionStore", DeactivateZarkCmd, 1, 2, {kFsStore}, {}, 0, ""},
        DiskCase{"ZarkFirestrmMissing", ActivateZarkFsCmd, 2, 2, {"zarkfirestrm.ini"}, {}, ENOENT, "zarkfirestrm.ini"},
        DiskCase{"ZarkArtMissingFs", ActivateZarkFsCmd, 2, 2, {"zarkart.ini"}, {}, ENOENT, "zarkart.ini"},
        DiskCase{"FirestrmIniAlreadyThere", ActivateZarkFsCmd, 2, 2, {}, {"firestrm.ini"}, EEXIST, "firestrm.ini"},
        DiskCase{"BaseStoreMissing", ActivateZarkFsCmd, 2, 2, {kBaseStore}, {}, ENOENT, "zarkdata.dat"},
        DiskCase{"FsDeactivationNeedsNoBaseStore", DeactivateZarkFsCmd, 2, 1, {kBaseStore}, {}, 0, ""}),
    [](const testing::TestParamInfo<DiskCase>& info) { return std::string(info.param.label); });

TEST(EmptyStore, FailsPastEndBeforeAnyRename) {
    TempFolder folder;
    Snapshot before = folderFor(2, 2);
    before[kFsStore] = "";
    create(before);
    const SwitchOutcome outcome = run(ActivateZarkFsCmd, realFileSystem());
    ASSERT_TRUE(outcome.failure);
    EXPECT_EQ(outcome.failure->number, 62);
    EXPECT_EQ(outcome.failure->file, kFsStore);
    EXPECT_EQ(snapshot(), before);
}

}  // namespace
}  // namespace zark::test
