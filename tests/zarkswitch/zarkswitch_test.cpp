// zarkswitch as scripts see it: the real program, run on real temporary game folders, judged by
// its exit status, its two output streams and the files it leaves.
#include "zarkswitchrun.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <string>
#include <vector>

namespace zark::test {
namespace {

using namespace std::string_literals;

TEST(Usage, WrongArgumentsGiveTheUsageLineAndStatus64) {
    TempFolder folder;
    create(gameFolder("2\r\n", "2\r\n", kAllInactive));
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
        {"--dir", "", "status"},
        {"--dir=", "status"},
        // After "--" nothing is an option.
        {"--", "--help"},
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
    std::optional<std::string> base;  // none: no store
    std::optional<std::string> fs;
    std::vector<std::string> ruleFiles;
    int status;
    std::string out;
};

class Status : public testing::TestWithParam<StatusCase> {};

TEST_P(Status, ReportsStoresAndDisagreementsAndTouchesNothing) {
    const StatusCase& c = GetParam();
    TempFolder folder;
    create(gameFolder(c.base, c.fs, c.ruleFiles));
    const Snapshot before = snapshot();
    const Result run = zarkswitch({"status"});
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(snapshot(), before);
}

const std::string kAgree = "The rule files agree with the stores.\n";
const std::string kByteOrderMark =
    "it begins with a byte-order mark, so save it as ANSI (plain text), not as Unicode or UTF-8";
const std::string kWriteBase = ". If ZARK is off, make zarkdata.dat hold the single line 2 (1 if it is on)\n";
const std::string kWriteFs = ". If ZARK-FS is off, make zarkdata2.dat hold the single line 2 (1 if it is on)\n";

INSTANTIATE_TEST_SUITE_P(
    Layouts, Status,
    testing::Values(
        StatusCase{"BothInactive", "2\r\n", "2\r\n", kAllInactive, 0,
                   "ZARK (zarkdata.dat): inactive\nZARK-FS (zarkdata2.dat): inactive\n" + kAgree},
        StatusCase{"BaseActive", "1\r\n", "2\r\n", kBaseActive, 0,
                   "ZARK (zarkdata.dat): active\nZARK-FS (zarkdata2.dat): inactive\n" + kAgree},
        StatusCase{"FsActive", "2\r\n", "1\r\n", kFsActive, 0,
                   "ZARK (zarkdata.dat): inactive\nZARK-FS (zarkdata2.dat): active\n" + kAgree},
        StatusCase{"GameNameWhileInactive",
                   "2\r\n",
                   "2\r\n",
                   {"rules.ini", "zarkart.ini", "zarkfirestrm.ini"},
                   3,
                   "ZARK (zarkdata.dat): inactive\nZARK-FS (zarkdata2.dat): inactive\n"
                   "zarkdata.dat and zarkdata2.dat say inactive, but rules.ini is there and zarkrules.ini is "
                   "missing\n"},
        StatusCase{"BothNamesAndNeitherName",
                   "1\r\n",
                   "2\r\n",
                   {"rules.ini", "zarkrules.ini", "firestrm.ini"},
                   3,
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
        StatusCase{"NotSetAndRawValue",
                   "\r\n",
                   "7\r\n",
                   {"rules.ini", "zarkrules.ini"},
                   3,
                   "ZARK (zarkdata.dat): not set\nZARK-FS (zarkdata2.dat): 7\n"
                   "zarkdata.dat says not set, neither active nor inactive" +
                       kWriteBase + "zarkdata2.dat says 7, neither active nor inactive" + kWriteFs},
        // Next to a state is no state.
        StatusCase{"ThreeAndMinusOne", "3\r\n", "-1\r\n", kBaseActive, 3,
                   "ZARK (zarkdata.dat): 3\nZARK-FS (zarkdata2.dat): -1\n"
                   "zarkdata.dat says 3, neither active nor inactive" +
                       kWriteBase + "zarkdata2.dat says -1, neither active nor inactive" + kWriteFs},
        // A file under the name that an undecided store's variant gives it: that store may be why.
        StatusCase{"OnlyTheSetVariantIsChecked",
                   "0\r\n",
                   "2\r\n",
                   {"zarkrules.ini", "art.ini"},
                   3,
                   "ZARK (zarkdata.dat): not set\nZARK-FS (zarkdata2.dat): inactive\n"
                   "zarkdata.dat says not set, neither active nor inactive" +
                       kWriteBase +
                       "zarkdata2.dat says inactive, but art.ini is there and zarkart.ini is missing: zarkdata.dat, "
                       "which says not set, may have moved it\n"
                       "zarkdata2.dat says inactive, but neither zarkfirestrm.ini nor firestrm.ini is there\n"},
        // A store that cannot be read is a finding too, and the other store is still checked.
        StatusCase{"MissingStore",
                   std::nullopt,
                   "2\r\n",
                   {"zarkrules.ini", "zarkart.ini", "firestrm.ini"},
                   3,
                   "ZARK (zarkdata.dat): cannot be read\nZARK-FS (zarkdata2.dat): inactive\n"
                   "zarkdata.dat is missing" +
                       kWriteBase +
                       "zarkdata2.dat says inactive, but firestrm.ini is there and zarkfirestrm.ini is missing\n"},
        StatusCase{"EmptyStoreAndNumberOutOfRange", "", "99999\r\n", kAllInactive, 3,
                   "ZARK (zarkdata.dat): cannot be read\nZARK-FS (zarkdata2.dat): cannot be read\n"
                   "zarkdata.dat is empty" +
                       kWriteBase + "zarkdata2.dat holds a number out of range" + kWriteFs},
        // What stands under a known name is what it is: no folder or link counts as a rule file.
        StatusCase{"NoFileUnderAKnownName",
                   "2\r\n",
                   "2\r\n",
                   {"zarkrules.ini", "rules.ini/", "zarkart.ini", "art.ini -> nowhere", "zarkfirestrm.ini",
                    "zarkdata.dat.123.1.tmp/"},
                   3,
                   "ZARK (zarkdata.dat): inactive\nZARK-FS (zarkdata2.dat): inactive\n"
                   "rules.ini is a folder, not a file\nart.ini is a symbolic link, not a file\n"
                   "zarkdata.dat.123.1.tmp is a folder, not a file\n"},
        // Notepad's "Unicode" and "UTF-8 with BOM": the number after the mark reads as nothing.
        StatusCase{"StoreSavedWithByteOrderMark",
                   "\xEF\xBB\xBF"
                   "1\r\n",
                   "\xFF\xFE"
                   "2\0\r\0\n\0"s,
                   kBaseActive, 3,
                   "ZARK (zarkdata.dat): not set\nZARK-FS (zarkdata2.dat): not set\n"
                   "zarkdata.dat says not set, neither active nor inactive: " +
                       kByteOrderMark + kWriteBase +
                       "zarkdata2.dat says not set, neither active nor inactive: " + kByteOrderMark + kWriteFs},
        StatusCase{
            "LeftoversOfACutShortWrite",
            "2\r\n",
            "2\r\n",
            {"zarkrules.ini", "zarkart.ini", "zarkfirestrm.ini", "zarkdata.dat.4711.1.tmp", "zarkdata.dat.saved.tmp"},
            3,
            "ZARK (zarkdata.dat): inactive\nZARK-FS (zarkdata2.dat): inactive\n"
            "zarkdata.dat.4711.1.tmp is left over from a store write that was cut short\n"},
        // Only a file system that tells case apart has two files here.
        StatusCase{
            "OtherSpellings",
            "2\r\n",
            "2\r\n",
            {"zarkrules.ini", "zarkart.ini", "zarkfirestrm.ini", "RULES.INI", "Zarkart.ini", "ZARKDATA2.DAT"},
            3,
            "ZARK (zarkdata.dat): inactive\nZARK-FS (zarkdata2.dat): inactive\n"
            "ZARKDATA2.DAT is another spelling of zarkdata2.dat, which the game under Wine may read in its place\n"
            "RULES.INI is another spelling of rules.ini, which the game under Wine may read in its place\n"
            "Zarkart.ini is another spelling of zarkart.ini, which the game under Wine may read in its place\n"}),
    [](const testing::TestParamInfo<StatusCase>& info) { return info.param.name; });

TEST(Switches, RoundTripsOfBothVariantsMatchTheLauncher) {
    TempFolder folder;
    create(gameFolder("2\r\n", "2\r\n", kAllInactive));
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
    create(gameFolder(c.base, c.fs, c.base == "1\r\n" ? kBaseActive : c.fs == "1\r\n" ? kFsActive : kAllInactive));
    const Snapshot before = snapshot();
    const Result run = zarkswitch(c.args);
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(run.out.substr(0, c.out.size()), c.out);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(snapshot(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, Refusals,
    testing::Values(
        Refusal{"AlreadyActive", "1\r\n", "2\r\n", {"activate", "base"}, "ZARK is already activated!\n"},
        Refusal{"ExpansionActive", "2\r\n", "1\r\n", {"activate", "base"}, "If you have firestorm"},
        Refusal{"AlreadyInactive", "2\r\n", "2\r\n", {"deactivate", "base"}, "ZARK is already DEactivated!\n"},
        Refusal{"FsAlreadyActive", "2\r\n", "1\r\n", {"activate", "fs"}, "ZARK-FS is already activated!\n"},
        Refusal{"BaseActive", "1\r\n", "2\r\n", {"activate", "fs"}, "If you have firestorm"},
        Refusal{"FsAlreadyInactive", "2\r\n", "2\r\n", {"deactivate", "fs"}, "ZARK-FS is already deactivated!\n"},
        Refusal{"NotSet",
                "\r\n",
                "2\r\n",
                {"activate", "base"},
                "Nothing done: zarkdata.dat says not set, neither active nor inactive.\n"},
        Refusal{"RawValue",
                "2\r\n",
                "5\r\n",
                {"deactivate", "fs"},
                "Nothing done: zarkdata2.dat says 5, neither active nor inactive.\n"}),
    [](const testing::TestParamInfo<Refusal>& info) { return info.param.name; });

const std::string kSeeRepair =
    "Run zarkswitch status in the game folder to see what is out of place, and zarkswitch repair to put it "
    "right.\n";

TEST(SwitchFailures, ReportOnStandardErrorExitTwoAndLeaveEverythingAsItWas) {
    struct Case {
        std::vector<std::string> ruleFiles;
        std::vector<std::string> args;
        std::string error;
        std::string file;  // named by its full path
    };
    const std::vector<Case> cases{
        // The first rename's target is taken: nothing has moved yet.
        {{"zarkrules.ini", "zarkart.ini", "rules.ini"}, {"activate", "base"}, "Error 17: File exists", "rules.ini"},
        // The third rename fails: the first two are put back.
        {{"zarkfirestrm.ini", "zarkrules.ini"},
         {"activate", "fs"},
         "Error 2: No such file or directory",
         "zarkart.ini"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        create(gameFolder("2\r\n", "2\r\n", c.ruleFiles));
        const Snapshot before = snapshot();
        const Result run = zarkswitch(c.args);
        EXPECT_EQ(run.status, 2) << c.args[1];
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "zarkswitch: " + c.error + "\nFile: " + inFolder(c.file) + "\n\n" + kSeeRepair);
        EXPECT_EQ(snapshot(), before);
    }
}

// zarkdata.lock as players' machines may hold it: a folder, a link (leading out of the game
// folder), a pipe, a file left read-only or by another user (sudo zarkswitch). Every switch
// reports it at once, naming the file and what to do; status reports the folder without the
// lock and lists the problem. A folder where the lock file cannot be created is reported by
// status as it is. Run as a user whom permissions bind.
struct LockFileCase {
    const char* name;
    void (*make)(const std::string& outside);
    int number;
    std::string description;
    std::string advice;
    bool finding;  // status lists it; else status reports the folder as agreeing
};

void PrintTo(const LockFileCase& c, std::ostream* out) { *out << c.name; }

const std::string kDeleteLock =
    "Delete zarkdata.lock in the game folder and try again; the next switch creates it anew as a plain file.";
const std::string kRefusedLock =
    "zarkdata.lock is read-only or belongs to another user, as when a switch ran with sudo. Delete zarkdata.lock "
    "in the game folder and try again; the next switch creates it anew.";

class LockFile : public testing::TestWithParam<LockFileCase> {};

TEST_P(LockFile, IsReportedAtOnceWithWhatToDo) {
    const LockFileCase& c = GetParam();
    TempFolder folder;
    create(gameFolder("2\r\n", "2\r\n", kAllInactive));
    const std::string outside =
        std::filesystem::temp_directory_path() / ("zarklock-outside." + std::to_string(::getpid()));
    c.make(outside);
    if (IsSkipped()) return;
    asUnprivileged([&] {
        const Snapshot before = snapshot();
        const auto started = std::chrono::steady_clock::now();
        const Result run = zarkswitch({"activate", "base"});
        const auto waited = std::chrono::steady_clock::now() - started;
        EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(waited).count(), 1000) << "no waiting for it";
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err, "zarkswitch: Error " + std::to_string(c.number) + ": " + c.description +
                               "\nFile: " + inFolder("zarkdata.lock") + "\n\n" + c.advice + "\n");
        EXPECT_EQ(snapshot(), before);

        const Result status = zarkswitch({"status"});
        EXPECT_EQ(status.status, c.finding ? 3 : 0) << status.err;
        EXPECT_EQ(status.out, "ZARK (zarkdata.dat): inactive\nZARK-FS (zarkdata2.dat): inactive\n" +
                                  (c.finding ? c.description + " (zarkdata.lock). " + c.advice
                                             : "The rule files agree with the stores.") +
                                  "\n");
    });
    EXPECT_FALSE(std::filesystem::exists(outside)) << "created outside the game folder";
}

const char* const kNotAFile = "Path/File access error: ";

INSTANTIATE_TEST_SUITE_P(
    Odd, LockFile,
    testing::Values(
        LockFileCase{"Folder", [](const std::string&) { std::filesystem::create_directory("zarkdata.lock"); }, 75,
                     kNotAFile + std::string("a folder, not a file"), kDeleteLock, true},
        LockFileCase{"LinkOutOfTheFolder",
                     [](const std::string& outside) { std::filesystem::create_symlink(outside, "zarkdata.lock"); }, 75,
                     kNotAFile + std::string("a symbolic link, not a file"), kDeleteLock, true},
        LockFileCase{"Pipe", [](const std::string&) { ASSERT_EQ(::mkfifo("zarkdata.lock", 0666), 0); }, 75,
                     kNotAFile + std::string("not a plain file"), kDeleteLock, true},
        LockFileCase{"ReadOnly",
                     [](const std::string&) {
                         writeFile("zarkdata.lock", "");
                         ASSERT_EQ(::chmod("zarkdata.lock", 0444), 0);
                         if (::geteuid() == 0) {
                             ASSERT_EQ(::chown("zarkdata.lock", 65534, 65534), 0);
                         }
                     },
                     EACCES, "Permission denied", kRefusedLock, true},
        LockFileCase{"AnotherUsers",
                     [](const std::string&) {
                         if (::geteuid() != 0) GTEST_SKIP() << "only root can leave a lock file of another user's";
                         writeFile("zarkdata.lock", "");
                     },
                     EACCES, "Permission denied", kRefusedLock, true},
        // Status stays a reader where no lock file can be made.
        LockFileCase{"WriteProtectedFolder", [](const std::string&) { ASSERT_EQ(::chmod(".", 0555), 0); }, EACCES,
                     "Permission denied",
                     "You may not write in the game folder. Check its permissions and owner (ls -ld), give yourself "
                     "write permission (chmod u+w), or move the game to a folder of your own.",
                     false}),
    [](const testing::TestParamInfo<LockFileCase>& info) { return std::string(info.param.name); });

TEST(GameFolder, DirOptionWorksFromAnyFolderAndAMissingOneFails) {
    TempFolder game;
    create(gameFolder("2\r\n", "2\r\n", kAllInactive));
    const std::string path = std::filesystem::current_path().string();
    TempFolder elsewhere;
    const Result run = zarkswitch({"--dir", path, "activate", "base"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(fileBytes(path + "/zarkdata.dat"), "1\r\n");
    EXPECT_TRUE(std::filesystem::exists(path + "/rules.ini"));
    EXPECT_EQ(zarkswitch({"status", "--dir=" + path}).status, 0);
    EXPECT_EQ(zarkswitch({"--dir", path, "--", "status"}).status, 0);
    EXPECT_TRUE(snapshot().empty());

    const Result missing = zarkswitch({"--dir", path + "/no such folder", "status"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "zarkswitch: Error 2: No such file or directory\nFile: " + path + "/no such folder\n");
}

}  // namespace
}  // namespace zark::test
