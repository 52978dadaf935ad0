// zarkswitch as scripts see it: the real program, run on real temporary game folders, judged by
// its exit status, its two output streams and the files it leaves.
#include "zarkswitchrun.h"

#include <algorithm>
#include <string>
#include <vector>

namespace zark::test {
namespace {

using namespace std::string_literals;

TEST(Usage, WrongArgumentsGiveTheUsageLineAndStatus64) {
    TempFolder folder;
    layOut("2\r\n", "2\r\n", kAllInactive);
    const Snapshot before = snapshot();
    const std::vector<std::vector<std::string>> wrong{
        {},
        {"frobnicate"},
        {"activate"},
        {"activate", "firestorm"},
        {"deactivate", "base", "fs"},
        {"status", "base"},
        {"--force", "status"},
        {"status", "--dir"},
    };
    for (const auto& args : wrong) {
        const Result run = zarkswitch(args);
        const std::string shown = args.empty() ? "(none)" : args[0] + (args.size() > 1 ? " " + args[1] : "");
        EXPECT_EQ(run.status, 64) << shown;
        EXPECT_EQ(run.out, "") << shown;
        EXPECT_EQ(run.err.rfind("zarkswitch: ", 0), 0u) << shown << ": " << run.err;
        EXPECT_NE(run.err.find("\nusage: zarkswitch [--dir PATH] status"), std::string::npos) << run.err;
    }
    EXPECT_EQ(snapshot(), before);
}

TEST(Usage, HelpAndVersionGoToStandardOutput) {
    TempFolder folder;
    for (const char* help : {"--help", "-h"}) {
        const Result run = zarkswitch({"activate", help});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out.rfind("usage: zarkswitch", 0), 0u) << run.out;
        EXPECT_NE(run.out.find("deactivate fs"), std::string::npos);
        EXPECT_NE(run.out.find("Exit status"), std::string::npos);
        EXPECT_EQ(run.err, "");
    }
    const Result version = zarkswitch({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "zarkswitch 1.2 (ZARK Launcher v1.2)\n");
    // Neither needs a game folder.
    EXPECT_TRUE(snapshot().empty());
}

struct StatusCase {
    const char* name;
    std::string base;
    std::string fs;
    std::vector<std::string> ruleFiles;
    int status;
    std::string out;
};

class Status : public testing::TestWithParam<StatusCase> {};

TEST_P(Status, ReportsStoresAndDisagreementsAndTouchesNothing) {
    const StatusCase& c = GetParam();
    TempFolder folder;
    layOut(c.base, c.fs, c.ruleFiles);
    const Snapshot before = snapshot();
    const Result run = zarkswitch({"status"});
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(snapshot(), before);
}

const std::string kAgree = "The rule files agree with the stores.\n";
const std::string kByteOrderMark =
    "it begins with a byte-order mark, so save it as ANSI (plain text), not as Unicode or UTF-8";

INSTANTIATE_TEST_SUITE_P(
    Layouts, Status,
    testing::Values(
        StatusCase{"BothInactive", "2\r\n", "2\r\n", kAllInactive, 0,
                   "ZARK (zarkdata.dat): inactive\nZARK-FS (zarkdata2.dat): inactive\n" + kAgree},
        StatusCase{"BaseActive", "1\r\n", "2\r\n", kBaseActive, 0,
                   "ZARK (zarkdata.dat): active\nZARK-FS (zarkdata2.dat): inactive\n" + kAgree},
        StatusCase{"FsActive", "2\r\n", "1\r\n", kFsActive, 0,
                   "ZARK (zarkdata.dat): inactive\nZARK-FS (zarkdata2.dat): active\n" + kAgree},
        StatusCase{"GameNameWhileInactive", "2\r\n", "2\r\n", {"rules.ini", "zarkart.ini", "zarkfirestrm.ini"}, 3,
                   "ZARK (zarkdata.dat): inactive\nZARK-FS (zarkdata2.dat): inactive\n"
                   "zarkdata.dat and zarkdata2.dat say inactive, but rules.ini is there and zarkrules.ini is "
                   "missing\n"},
        StatusCase{"BothNamesAndNeitherName", "1\r\n", "2\r\n", {"rules.ini", "zarkrules.ini", "firestrm.ini"}, 3,
                   "ZARK (zarkdata.dat): active\nZARK-FS (zarkdata2.dat): inactive\n"
                   "zarkdata.dat says active, but both rules.ini and zarkrules.ini are there\n"
                   "zarkdata.dat says active, but neither art.ini nor zarkart.ini is there\n"
                   "zarkdata2.dat says inactive, but firestrm.ini is there and zarkfirestrm.ini is missing\n"},
        StatusCase{"BothActive", "1\r\n", "1\r\n", kFsActive, 3,
                   "ZARK (zarkdata.dat): active\nZARK-FS (zarkdata2.dat): active\n"
                   "zarkdata.dat and zarkdata2.dat both say active, but only one variant can be active at a "
                   "time\n"},
        // A store that is neither active nor inactive is a finding of its own, and expects
        // nothing of the files that only its variant moves.
        StatusCase{"NotSetAndRawValue", "\r\n", "7\r\n", {"rules.ini", "zarkrules.ini"}, 3,
                   "ZARK (zarkdata.dat): not set\nZARK-FS (zarkdata2.dat): 7\n"
                   "zarkdata.dat says not set, neither active nor inactive\n"
                   "zarkdata2.dat says 7, neither active nor inactive\n"},
        StatusCase{"OnlyTheSetVariantIsChecked", "0\r\n", "2\r\n", {"zarkrules.ini", "art.ini"}, 3,
                   "ZARK (zarkdata.dat): not set\nZARK-FS (zarkdata2.dat): inactive\n"
                   "zarkdata.dat says not set, neither active nor inactive\n"
                   "zarkdata2.dat says inactive, but art.ini is there and zarkart.ini is missing\n"
                   "zarkdata2.dat says inactive, but neither zarkfirestrm.ini nor firestrm.ini is there\n"},
        // Notepad's "Unicode" and "UTF-8 with BOM": the number after the mark reads as nothing.
        StatusCase{"StoreSavedWithByteOrderMark", "\xEF\xBB\xBF" "1\r\n", "\xFF\xFE" "2\0\r\0\n\0"s, kBaseActive, 3,
                   "ZARK (zarkdata.dat): not set\nZARK-FS (zarkdata2.dat): not set\n"
                   "zarkdata.dat says not set, neither active nor inactive: " + kByteOrderMark + "\n"
                   "zarkdata2.dat says not set, neither active nor inactive: " + kByteOrderMark + "\n"},
        StatusCase{"LeftoversOfACutShortWrite", "2\r\n", "2\r\n",
                   {"zarkrules.ini", "zarkart.ini", "zarkfirestrm.ini", "zarkdata.dat.4711.1.tmp",
                    "zarkdata.dat.saved.tmp"}, 3,
                   "ZARK (zarkdata.dat): inactive\nZARK-FS (zarkdata2.dat): inactive\n"
                   "zarkdata.dat.4711.1.tmp is left over from a store write that was cut short\n"},
        // Only a file system that tells case apart has two files here.
        StatusCase{"OtherSpellings", "2\r\n", "2\r\n", {"zarkrules.ini", "zarkart.ini", "zarkfirestrm.ini", "RULES.INI",
                   "Zarkart.ini", "ZARKDATA2.DAT"}, 3,
                   "ZARK (zarkdata.dat): inactive\nZARK-FS (zarkdata2.dat): inactive\n"
                   "ZARKDATA2.DAT is another spelling of zarkdata2.dat, which the game under Wine may read in its place\n"
                   "RULES.INI is another spelling of rules.ini, which the game under Wine may read in its place\n"
                   "Zarkart.ini is another spelling of zarkart.ini, which the game under Wine may read in its place\n"}),
    [](const testing::TestParamInfo<StatusCase>& info) { return info.param.name; });

TEST(StatusFailure, AnUnreadableStoreIsAFailureAndNothingIsChecked) {
    TempFolder folder;
    layOut("2\r\n", "", {"rules.ini"});
    const Result run = zarkswitch({"status"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "ZARK (zarkdata.dat): inactive\nZARK-FS (zarkdata2.dat): cannot be read\n");
    EXPECT_EQ(run.err, "zarkswitch: Error 2: No such file or directory\nFile: zarkdata2.dat\n");
}

TEST(Switches, RoundTripsOfBothVariantsMatchTheLauncher) {
    TempFolder folder;
    layOut("2\r\n", "2\r\n", kAllInactive);
    const Snapshot inactive = snapshot();
    struct Step {
        std::vector<std::string> args;
        std::string out;
        std::vector<std::string> ruleFiles;
        std::string base, fs;
    };
    const std::vector<Step> steps{
        {{"activate", "fs"}, "ZARK-FS (zarkdata2.dat): active\n", kFsActive, "2\r\n", "1\r\n"},
        {{"deactivate", "fs"}, "ZARK-FS (zarkdata2.dat): inactive\n", kAllInactive, "2\r\n", "2\r\n"},
        {{"activate", "base"}, "ZARK (zarkdata.dat): active\n", kBaseActive, "1\r\n", "2\r\n"},
        {{"deactivate", "base"}, "ZARK (zarkdata.dat): inactive\n", kAllInactive, "2\r\n", "2\r\n"},
    };
    for (const Step& step : steps) {
        const Result run = zarkswitch(step.args);
        EXPECT_EQ(run.status, 0) << step.args[0] << " " << step.args[1] << ": " << run.err;
        EXPECT_EQ(run.out, step.out);
        EXPECT_EQ(run.err, "");
        Snapshot expected;
        expected["zarkdata.dat"] = step.base;
        expected["zarkdata2.dat"] = step.fs;
        for (const auto& [name, content] : inactive) {
            if (name.rfind("zarkdata", 0) == 0) continue;
            const std::string game = name.substr(4);  // zarkrules.ini -> rules.ini
            const bool moved = std::find(step.ruleFiles.begin(), step.ruleFiles.end(), game) != step.ruleFiles.end();
            expected[moved ? game : name] = content;
        }
        EXPECT_EQ(snapshot(), expected) << step.args[0] << " " << step.args[1];
    }
    EXPECT_EQ(snapshot(), inactive);
}

struct Refusal {
    const char* name;
    std::string base;
    std::string fs;
    std::vector<std::string> args;
    std::string out;
};

class Refusals : public testing::TestWithParam<Refusal> {};

TEST_P(Refusals, PrintTheMessageExitOneAndChangeNothing) {
    const Refusal& c = GetParam();
    TempFolder folder;
    layOut(c.base, c.fs, c.base == "1\r\n" ? kBaseActive : c.fs == "1\r\n" ? kFsActive : kAllInactive);
    const Snapshot before = snapshot();
    const Result run = zarkswitch(c.args);
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(run.out.substr(0, c.out.size()), c.out);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(snapshot(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, Refusals,
    testing::Values(Refusal{"AlreadyActive", "1\r\n", "2\r\n", {"activate", "base"}, "ZARK is already activated!\n"},
                    Refusal{"ExpansionActive", "2\r\n", "1\r\n", {"activate", "base"}, "If you have firestorm"},
                    Refusal{"AlreadyInactive", "2\r\n", "2\r\n", {"deactivate", "base"}, "ZARK is already DEactivated!\n"},
                    Refusal{"FsAlreadyActive", "2\r\n", "1\r\n", {"activate", "fs"}, "ZARK-FS is already activated!\n"},
                    Refusal{"BaseActive", "1\r\n", "2\r\n", {"activate", "fs"}, "If you have firestorm"},
                    Refusal{"FsAlreadyInactive", "2\r\n", "2\r\n", {"deactivate", "fs"},
                            "ZARK-FS is already deactivated!\n"},
                    Refusal{"NotSet", "\r\n", "2\r\n", {"activate", "base"},
                            "Nothing done: zarkdata.dat says not set, neither active nor inactive.\n"},
                    Refusal{"RawValue", "2\r\n", "5\r\n", {"deactivate", "fs"},
                            "Nothing done: zarkdata2.dat says 5, neither active nor inactive.\n"}),
    [](const testing::TestParamInfo<Refusal>& info) { return info.param.name; });

const std::string kSeeRepair =
    "Run zarkswitch status in the game folder to see what is out of place, and zarkswitch repair to put it "
    "right.\n";

TEST(SwitchFailures, ReportOnStandardErrorExitTwoAndLeaveEverythingAsItWas) {
    struct Case {
        std::vector<std::string> ruleFiles;
        std::vector<std::string> args;
        std::string err;
    };
    const std::vector<Case> cases{
        // The first rename's target is taken: nothing has moved yet.
        {{"zarkrules.ini", "zarkart.ini", "rules.ini"}, {"activate", "base"},
         "zarkswitch: Error 17: File exists\nFile: rules.ini\n\n" + kSeeRepair},
        // The third rename fails: the first two are put back.
        {{"zarkfirestrm.ini", "zarkrules.ini"}, {"activate", "fs"},
         "zarkswitch: Error 2: No such file or directory\nFile: zarkart.ini\n\n" + kSeeRepair},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        layOut("2\r\n", "2\r\n", c.ruleFiles);
        const Snapshot before = snapshot();
        const Result run = zarkswitch(c.args);
        EXPECT_EQ(run.status, 2) << c.args[1];
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(snapshot(), before);
    }
}

TEST(GameFolder, DirOptionWorksFromAnyFolderAndAMissingOneFails) {
    TempFolder game;
    layOut("2\r\n", "2\r\n", kAllInactive);
    const std::string path = std::filesystem::current_path().string();
    TempFolder elsewhere;
    const Result run = zarkswitch({"--dir", path, "activate", "base"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(fileBytes(path + "/zarkdata.dat"), "1\r\n");
    EXPECT_TRUE(std::filesystem::exists(path + "/rules.ini"));
    EXPECT_EQ(zarkswitch({"status", "--dir=" + path}).status, 0);
    EXPECT_TRUE(snapshot().empty());

    const Result missing = zarkswitch({"--dir", path + "/no such folder", "status"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "zarkswitch: Error 2: No such file or directory\nFile: " + path + "/no such folder\n");
}

}  // namespace
}  // namespace zark::test
