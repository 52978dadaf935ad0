// zarkswitch repair on the layouts that kills, other programs and hand edits leave behind,
// and the store files that are no stores at all.
#include "zarkswitchrun.h"

#include <sys/stat.h>

namespace zark::test {
namespace {

using namespace std::string_literals;

const std::string kAgree = "The rule files agree with the stores.\n";
const std::string kAgain = ", then run zarkswitch repair again.\n";

struct RepairCase {
    const char* name;
    std::string base;
    std::string fs;
    std::vector<std::string> before;  // rule files and leftovers, as layOut makes them
    std::vector<std::pair<std::string, std::string>> renamed;  // what repair must rename
    int status;
    std::string out;
};

class Repair : public testing::TestWithParam<RepairCase> {};

TEST_P(Repair, RenamesWhatIsCertainAndSaysWhatToDecide) {
    const RepairCase& c = GetParam();
    TempFolder folder;
    layOut(c.base, c.fs, c.before);
    Snapshot expected = snapshot();
    for (const auto& [from, to] : c.renamed) {
        expected[to] = expected.at(from);
        expected.erase(from);
    }
    for (auto entry = expected.begin(); entry != expected.end();) {
        entry = IsStoreTemporary(entry->first) ? expected.erase(entry) : std::next(entry);
    }

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
        RepairCase{"KilledActivation", "2\r\n", "2\r\n",
                   {"firestrm.ini", "rules.ini", "zarkart.ini", "zarkdata2.dat.4711.3.tmp"},
                   {{"firestrm.ini", "zarkfirestrm.ini"}, {"rules.ini", "zarkrules.ini"}}, 0,
                   "Removed zarkdata2.dat.4711.3.tmp, left over from a store write that was cut short\n"
                   "Renamed rules.ini to zarkrules.ini\nRenamed firestrm.ini to zarkfirestrm.ini\n" + kAgree},
        RepairCase{"MovedByHand", "1\r\n", "2\r\n", {"rules.ini", "zarkart.ini", "zarkfirestrm.ini"},
                   {{"zarkart.ini", "art.ini"}}, 0, "Renamed zarkart.ini to art.ini\n" + kAgree},
        RepairCase{"AlreadyAgrees", "2\r\n", "1\r\n", kFsActive, {}, 0, kAgree},
        RepairCase{"BothNamesAndNeither", "1\r\n", "2\r\n", {"rules.ini", "zarkrules.ini", "firestrm.ini"},
                   {{"firestrm.ini", "zarkfirestrm.ini"}}, 3,
                   "Renamed firestrm.ini to zarkfirestrm.ini\n"
                   "Both rules.ini and zarkrules.ini are there, and zarkdata.dat says active, so ZARK's copy "
                   "belongs under rules.ini. Move the copy that is not ZARK's out of the game folder" + kAgain +
                   "Neither art.ini nor zarkart.ini is there, and zarkdata.dat says active. Put ZARK's copy back "
                   "as art.ini (from the modification's package or a backup)" + kAgain},
        RepairCase{"BothStoresActive", "1\r\n", "1\r\n", {"zarkrules.ini", "art.ini", "zarkfirestrm.ini"}, {}, 3,
                   "zarkdata.dat and zarkdata2.dat both say active, but only one variant can be active at a time. "
                   "Write 2 into the store of the one that is off (zarkdata.dat for ZARK, zarkdata2.dat for "
                   "ZARK-FS)" + kAgain},
        // Only the expansion's own file is certain while the base store says nothing usable.
        RepairCase{"StoreWithByteOrderMark", "\xEF\xBB\xBF" "1\r\n", "2\r\n", {"rules.ini", "art.ini", "firestrm.ini"},
                   {{"firestrm.ini", "zarkfirestrm.ini"}}, 3,
                   "Renamed firestrm.ini to zarkfirestrm.ini\n"
                   "zarkdata.dat says not set, neither active nor inactive: it begins with a byte-order mark, so "
                   "save it as ANSI (plain text), not as Unicode or UTF-8. Write 1 into it if ZARK is on, 2 if it "
                   "is off (in Notepad, saved as ANSI)" + kAgain},
        RepairCase{"OtherSpelling", "2\r\n", "2\r\n", {"zarkrules.ini", "RULES.INI", "art.ini", "zarkfirestrm.ini"},
                   {{"art.ini", "zarkart.ini"}}, 3,
                   "Renamed art.ini to zarkart.ini\n"
                   "RULES.INI is another spelling of rules.ini, which the game under Wine may read in its place. "
                   "Rename or remove the one that is not ZARK's" + kAgain}),
    [](const testing::TestParamInfo<RepairCase>& info) { return info.param.name; });

// A store that is a pipe, a device, a folder or a huge file ends the command with a clear
// error at once: no waiting for a writer, no reading without end.
TEST(NoStore, EveryCommandFailsClearlyAndAtOnce) {
    struct Case {
        const char* what;
        void (*make)();
        std::string error;
    };
    const std::string notPlain = "Error 75: Path/File access error: not a plain file, but a folder, a device or a pipe";
    const std::vector<Case> cases{
        {"pipe", [] { ASSERT_EQ(::mkfifo("zarkdata.dat", 0644), 0); }, notPlain},
        {"endless device", [] { std::filesystem::create_symlink("/dev/zero", "zarkdata.dat"); }, notPlain},
        {"folder", [] { std::filesystem::create_directory("zarkdata.dat"); }, notPlain},
        {"huge file",
         [] { writeFile("zarkdata.dat", "2\r\n" + std::string(kStoreLimit, ' ')); },
         "Error 59: Bad record length: longer than 65536 bytes, far more than a store holds"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        layOut("", "2\r\n", kAllInactive);
        c.make();
        for (const char* command : {"status", "repair"}) {
            const Result run = zarkswitch({command});
            EXPECT_EQ(run.status, 2) << c.what << ", " << command;
            EXPECT_EQ(run.err, "zarkswitch: " + c.error + "\nFile: zarkdata.dat\n") << c.what << ", " << command;
        }
        const Result run = zarkswitch({"activate", "base"});
        EXPECT_EQ(run.status, 2) << c.what;
        EXPECT_TRUE(std::filesystem::exists("zarkrules.ini")) << c.what;
    }
}

TEST(LostOutput, ADoneSwitchSaysSoByItsStatus) {
    TempFolder folder;
    layOut("2\r\n", "2\r\n", kAllInactive);
    const Result run = zarkswitch({"activate", "base"}, "/dev/full");
    EXPECT_EQ(run.status, 4);
    EXPECT_EQ(fileBytes("zarkdata.dat"), "1\r\n");
    EXPECT_TRUE(std::filesystem::exists("rules.ini"));
}

}  // namespace
}  // namespace zark::test
