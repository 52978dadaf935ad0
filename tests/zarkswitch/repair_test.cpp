// zarkswitch repair on the layouts that kills, other programs and hand edits leave behind,
// and the store files that are no stores at all.
#include "zarkswitchrun.h"

#include "switching/modstate.h"

#include <sys/stat.h>

#include <csignal>

namespace zark::test {
namespace {

using namespace std::string_literals;

const std::string kAgree = "The rule files agree with the stores.\n";
const std::string kAgain = ", then run zarkswitch repair again.\n";

struct RepairCase {
    const char* name;
    std::optional<std::string> base;  // none: no store
    std::optional<std::string> fs;
    std::vector<std::string> before;  // rule files and leftovers, as gameFolder names them
    Renames renamed;                  // what repair must rename
    int status;
    std::string out;
    std::vector<std::string> removed{};  // what repair must remove
};

void PrintTo(const RepairCase& c, std::ostream* out) { *out << c.name; }

class Repair : public testing::TestWithParam<RepairCase> {};

TEST_P(Repair, RenamesWhatIsCertainAndSaysWhatToDecide) {
    const RepairCase& c = GetParam();
    TempFolder folder;
    create(gameFolder(c.base, c.fs, c.before));
    Snapshot expected = renamed(snapshot(), c.renamed);
    for (const std::string& name : c.removed) expected.erase(name);

    const Result run = zarkswitch({"repair"});
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(snapshot(), expected);
    // What repair leaves is what status then finds.
    EXPECT_EQ(zarkswitch({"status"}).status, c.status);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, Repair,
    testing::Values(
        // Killed after the expansion's first two renames and during its store write.
        RepairCase{"KilledActivation",
                   "2\r\n",
                   "2\r\n",
                   {"firestrm.ini", "rules.ini", "zarkart.ini", "zarkdata2.dat.4711.3.tmp"},
                   {{"firestrm.ini", "zarkfirestrm.ini"}, {"rules.ini", "zarkrules.ini"}},
                   0,
                   "Removed zarkdata2.dat.4711.3.tmp, left over from a store write that was cut short\n"
                   "Renamed rules.ini to zarkrules.ini\nRenamed firestrm.ini to zarkfirestrm.ini\n" +
                       kAgree,
                   {"zarkdata2.dat.4711.3.tmp"}},
        RepairCase{"MovedByHand",
                   "1\r\n",
                   "2\r\n",
                   {"rules.ini", "zarkart.ini", "zarkfirestrm.ini"},
                   {{"zarkart.ini", "art.ini"}},
                   0,
                   "Renamed zarkart.ini to art.ini\n" + kAgree},
        RepairCase{"AlreadyAgrees", "2\r\n", "1\r\n", kFsActive, {}, 0, kAgree},
        RepairCase{"BothNamesAndNeither",
                   "1\r\n",
                   "2\r\n",
                   {"rules.ini", "zarkrules.ini", "firestrm.ini"},
                   {{"firestrm.ini", "zarkfirestrm.ini"}},
                   3,
                   "Renamed firestrm.ini to zarkfirestrm.ini\n"
                   "Both rules.ini and zarkrules.ini are there, and zarkdata.dat says active, so ZARK's copy "
                   "belongs under rules.ini. Move the copy that is not ZARK's out of the game folder" +
                       kAgain +
                       "Neither art.ini nor zarkart.ini is there, and zarkdata.dat says active. Put ZARK's copy back "
                       "as art.ini (from the modification's package or a backup)" +
                       kAgain},
        RepairCase{"BothStoresActive",
                   "1\r\n",
                   "1\r\n",
                   {"zarkrules.ini", "art.ini", "zarkfirestrm.ini"},
                   {},
                   3,
                   "zarkdata.dat and zarkdata2.dat both say active, but only one variant can be active at a time. "
                   "Write 2 into the store of the one that is off (zarkdata.dat for ZARK, zarkdata2.dat for "
                   "ZARK-FS)" +
                       kAgain},
        // Only the expansion's own file is certain while the base store says nothing usable.
        RepairCase{"StoreWithByteOrderMark",
                   "\xEF\xBB\xBF"
                   "1\r\n",
                   "2\r\n",
                   {"rules.ini", "art.ini", "firestrm.ini"},
                   {{"firestrm.ini", "zarkfirestrm.ini"}},
                   3,
                   "Renamed firestrm.ini to zarkfirestrm.ini\n"
                   "zarkdata.dat says not set, neither active nor inactive: it begins with a byte-order mark, so "
                   "save it as ANSI (plain text), not as Unicode or UTF-8. If ZARK is off, make zarkdata.dat hold "
                   "the single line 2 (1 if it is on)" +
                       kAgain},
        // Stores next to a state decide nothing: nothing is moved.
        RepairCase{"ThreeAndMinusOne",
                   "3\r\n",
                   "-1\r\n",
                   {"rules.ini", "zarkart.ini", "firestrm.ini"},
                   {},
                   3,
                   "zarkdata.dat says 3, neither active nor inactive. If ZARK is off, make zarkdata.dat hold the "
                   "single line 2 (1 if it is on)" +
                       kAgain +
                       "zarkdata2.dat says -1, neither active nor inactive. If ZARK-FS is off, make zarkdata2.dat hold "
                       "the single line 2 (1 if it is on)" +
                       kAgain},
        // What the other store decides is still repaired.
        RepairCase{"MissingStore",
                   std::nullopt,
                   "1\r\n",
                   {"rules.ini", "zarkart.ini", "zarkfirestrm.ini"},
                   {{"zarkart.ini", "art.ini"}, {"zarkfirestrm.ini", "firestrm.ini"}},
                   3,
                   "Renamed zarkart.ini to art.ini\nRenamed zarkfirestrm.ini to firestrm.ini\n"
                   "zarkdata.dat is missing. If ZARK is off, make zarkdata.dat hold the single line 2 (1 if it is "
                   "on)" +
                       kAgain},
        // A folder or a link under a known name is never moved or removed; the rest is mended.
        RepairCase{
            "NoFileUnderAKnownName",
            "1\r\n",
            "2\r\n",
            {"rules.ini/", "zarkrules.ini", "zarkart.ini", "firestrm.ini -> nowhere", "zarkdata.dat.77.1.tmp",
             "zarkdata2.dat.77.2.tmp/"},
            {{"zarkart.ini", "art.ini"}},
            3,
            "Removed zarkdata.dat.77.1.tmp, left over from a store write that was cut short\n"
            "Renamed zarkart.ini to art.ini\n"
            "zarkdata2.dat.77.2.tmp is a folder, not a file, and repair leaves it alone. Move it out of the "
            "game folder" +
                kAgain +
                "rules.ini is a folder, not a file, and repair leaves it alone. Move it out of the game folder" +
                kAgain +
                "firestrm.ini is a symbolic link, not a file, and repair leaves it alone. Put the file itself in "
                "its place, or remove the link" +
                kAgain,
            {"zarkdata.dat.77.1.tmp"}},
        RepairCase{"OtherSpelling",
                   "2\r\n",
                   "2\r\n",
                   {"zarkrules.ini", "RULES.INI", "art.ini", "zarkfirestrm.ini"},
                   {{"art.ini", "zarkart.ini"}},
                   3,
                   "Renamed art.ini to zarkart.ini\n"
                   "RULES.INI is another spelling of rules.ini, which the game under Wine may read in its place. "
                   "Rename or remove the one that is not ZARK's" +
                       kAgain}),
    [](const testing::TestParamInfo<RepairCase>& info) { return info.param.name; });

// A store that is a pipe, a device, a folder or a huge file is said to be what it is at once:
// no waiting for a writer, no reading without end. Status and repair tell what to write in it;
// a switch fails.
TEST(NoStore, EachCommandSaysWhatItIsAtOnce) {
    struct Case {
        void (*make)();
        std::string what;   // status's and repair's word for it
        std::string error;  // the switch's
    };
    const std::string notPlain = "Error 75: Path/File access error: not a plain file, but a folder, a device or a pipe";
    const std::vector<Case> cases{
        {[] { ASSERT_EQ(::mkfifo("zarkdata.dat", 0644), 0); }, "zarkdata.dat is not a plain file", notPlain},
        {[] { std::filesystem::create_symlink("/dev/zero", "zarkdata.dat"); },
         "zarkdata.dat is a symbolic link, not a file", notPlain},
        {[] { std::filesystem::create_directory("zarkdata.dat"); }, "zarkdata.dat is a folder, not a file", notPlain},
        {[] { writeFile("zarkdata.dat", "2\r\n" + std::string(kStoreLimit, ' ')); },
         "zarkdata.dat holds more than 65536 bytes, far more than a store holds",
         "Error 59: Bad record length: longer than 65536 bytes, far more than a store holds"},
    };
    const std::string write = ". If ZARK is off, make zarkdata.dat hold the single line 2 (1 if it is on)";
    for (const Case& c : cases) {
        TempFolder folder;
        create(gameFolder(std::nullopt, "2\r\n", kAllInactive));
        c.make();
        const Result status = zarkswitch({"status"});
        EXPECT_EQ(status.status, 3) << c.what;
        EXPECT_EQ(status.out,
                  "ZARK (zarkdata.dat): cannot be read\nZARK-FS (zarkdata2.dat): inactive\n" + c.what + write + "\n");
        const Result repair = zarkswitch({"repair"});
        EXPECT_EQ(repair.status, 3) << c.what;
        EXPECT_EQ(repair.out, c.what + write + kAgain);
        const Result run = zarkswitch({"activate", "base"});
        EXPECT_EQ(run.status, 2) << c.what;
        EXPECT_EQ(run.err, "zarkswitch: " + c.error + "\nFile: " + inFolder("zarkdata.dat") + "\n") << c.what;
        EXPECT_TRUE(std::filesystem::exists("zarkrules.ini")) << c.what;
    }
}

// What zarkswitch prints cannot always be written: a full disk, a reader that went away (a
// pipe into grep -q), standard error closed by whoever started it. A command that did its work
// says so by exit status 4, never by a death from SIGPIPE, and nothing it prints lands in the
// lock file that would otherwise take the closed stream's number.
TEST(LostOutput, TheStatusSaysWhatWasDone) {
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> ruleFiles;
        std::string output;
        void (*prepare)();
        int status;
    };
    void (*readerGone)() = [] {
        int ends[2];
        if (::pipe(ends) != 0 || ::dup2(ends[1], STDOUT_FILENO) != STDOUT_FILENO) ::_exit(126);
        ::close(ends[0]);
        ::close(ends[1]);
        std::signal(SIGPIPE, SIG_DFL);
    };
    const std::vector<Case> cases{
        {{"activate", "base"}, kAllInactive, "/dev/full", nullptr, 4},
        {{"activate", "fs"}, kAllInactive, "", readerGone, 4},
        {{"status"}, kAllInactive, "", readerGone, 4},
        // zarkart.ini is missing: the report of the failure has nowhere to go.
        {{"activate", "base"}, {"zarkrules.ini"}, "", [] { ::close(STDERR_FILENO); }, 2},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        create(gameFolder("2\r\n", "2\r\n", c.ruleFiles));
        const Result run = zarkswitch(c.args, c.output, c.prepare);
        EXPECT_EQ(run.status, c.status) << c.args[0] << " " << c.output;
        EXPECT_EQ(fileBytes(kLockFile), "");
        if (c.status == 4 && c.args[0] == "activate") {
            EXPECT_TRUE(std::filesystem::exists("rules.ini")) << "the switch is done";
        }
    }
}

}  // namespace
}  // namespace zark::test
