// The error report: the file by its full path, the system's text filled in, and advice only
// where it is true, in words for the system it runs on.
#include "switching/report.h"
#include "gamefolder.h"
#include "switching/mend.h"
#include "switching/storeguidance.h"

#include <gtest/gtest.h>

namespace zark::test {
namespace {

TEST(Report, AdvisesOnlyWhatFitsTheCause) {
    TempFolder folder;
    struct Case {
        Cause cause;
        const char* advice;  // null: the report ends with the file
    };
    const Case cases[] = {
        {Cause::Other, nullptr},
        {Cause::InUse,
         "Another program has this file open: the game, an editor, or a virus scanner. Close it and "
         "try again."},
        {Cause::ReadOnlyFile, "The file is read-only. Give it write permission (chmod u+w) and try again."},
        {Cause::FolderProtected,
         "You may not write in the game folder. Check its permissions and owner (ls -ld), "
         "give yourself write permission (chmod u+w), or move the game to a folder of your "
         "own."},
        {Cause::SourceMissing,
         "Run zarkswitch status in the game folder to see what is out of place, and zarkswitch "
         "repair to put it right."},
        {Cause::NameTaken,
         "Run zarkswitch status in the game folder to see what is out of place, and zarkswitch "
         "repair to put it right."},
        {Cause::NoLocks,
         "The game folder's file system offers no file locks, which switching needs: move the game "
         "to a local disk."},
        {Cause::NotGameFolder,
         "ZARK Launcher must be started in the game folder, beside sun.exe. If you start it "
         "from a shortcut, write the game folder into the shortcut's \"Start in\" field."},
        {Cause::GameMissing,
         "The game folder holds no sun.exe. ZARK Launcher belongs in the game folder, beside "
         "sun.exe."},
    };
    for (const Case& c : cases) {
        Failure failure{13, "Permission denied", "zarkart.ini"};
        failure.cause = c.cause;
        const std::string plain = "Error 13: Permission denied\nFile: " + inFolder("zarkart.ini");
        EXPECT_EQ(FailureReport(failure), c.advice ? plain + "\n\n" + c.advice : plain);
    }
}

// A store that stops start-up: what it must hold and what else is out of place, as status says
// it; where nothing of the game's is there, where to start the launcher instead.
TEST(Report, AtStartUpSaysWhatTheStoreMustHold) {
    struct Case {
        Snapshot folder;
        const char* store;
        std::string error;
        std::string advice;
    };
    const std::string writeBase = ". If ZARK is off, make zarkdata.dat hold the single line 2 (1 if it is on).";
    const std::string writeFs = ". If ZARK-FS is off, make zarkdata2.dat hold the single line 2 (1 if it is on).";
    const Case cases[] = {
        {gameFolder(std::nullopt, "2\r\n", kAllInactive), "zarkdata.dat", "Error 2: No such file or directory",
         "zarkdata.dat is missing" + writeBase},
        {gameFolder("2\r\n", "", kAllInactive), "zarkdata2.dat", "Error 62: Input past end of file",
         "zarkdata2.dat is empty" + writeFs},
        {gameFolder("40000\r\n", "2\r\n", kAllInactive), "zarkdata.dat", "Error 6: Overflow",
         "zarkdata.dat holds a number out of range" + writeBase},
        {gameFolder(std::nullopt, "2\r\n", {"zarkdata.dat/", "zarkrules.ini", "zarkart.ini", "zarkfirestrm.ini"}),
         "zarkdata.dat", "Error 75: Path/File access error: not a plain file, but a folder, a device or a pipe",
         "zarkdata.dat is a folder, not a file" + writeBase},
        {gameFolder("2\r\n" + std::string(kStoreLimit, ' '), "2\r\n", kAllInactive), "zarkdata.dat",
         "Error 59: Bad record length: longer than 65536 bytes, far more than a store holds",
         "zarkdata.dat holds more than 65536 bytes, far more than a store holds" + writeBase},
        {gameFolder(std::nullopt, "2\r\n", {"rules.ini", "zarkart.ini", "zarkfirestrm.ini"}), "zarkdata.dat",
         "Error 2: No such file or directory",
         "zarkdata.dat is missing" + writeBase +
             "\n\nAlso out of place in the game folder:\nzarkdata2.dat says inactive, but rules.ini is there and "
             "zarkrules.ini is missing: zarkdata.dat, which cannot be read, may have moved it"},
        {{},
         "zarkdata.dat",
         "Error 2: No such file or directory",
         "ZARK Launcher must be started in the game folder, beside sun.exe. If you start it from a shortcut, "
         "write the game folder into the shortcut's \"Start in\" field."},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        create(c.folder);
        const StoresRead stores = ReadStores(realFileSystem());
        Failure failure = std::get<Failure>(stores.of(c.store).state);
        ExplainUnreadStore(realFileSystem(), stores, failure);
        EXPECT_EQ(FailureReport(failure), c.error + "\nFile: " + inFolder(c.store) + "\n\n" + c.advice);
    }
}

// The launcher's offers and what it says after them: what is out of place before the files
// that could not be put back, the question last; never a word of zarkswitch.
TEST(Report, TheLaunchersOffersSayWhatIsOutOfPlaceAndAskLast) {
    TempFolder folder;
    Failure missing{2, "No such file or directory", "zarkrules.ini"};
    missing.cause = Cause::SourceMissing;
    const std::string head = "Error 2: No such file or directory\nFile: " + inFolder("zarkrules.ini") + "\n\n";
    const std::string misplaced =
        "zarkdata.dat and zarkdata2.dat say inactive, but rules.ini is there and "
        "zarkrules.ini is missing";
    EXPECT_EQ(RepairOffer(missing, {{"zarkfirestrm.ini", "firestrm.ini"}}, {misplaced}),
              head + "Out of place in the game folder:\n" + misplaced + "\n\nThese files could not be put back:\n" +
                  inFolder("zarkfirestrm.ini") + " is left as " + inFolder("firestrm.ini") +
                  "\n\nPut the rule files where zarkdata.dat and zarkdata2.dat say?");
    EXPECT_EQ(RepairOffer(missing, {}, {}), head + "The rule files agree with the stores now. Try again.");

    RepairReport report{{"Renamed rules.ini to zarkrules.ini"}, {}};
    EXPECT_EQ(RepairResult(report, std::nullopt, {}),
              "Renamed rules.ini to zarkrules.ini\nThe rule files agree with the stores.");
    report.decisions = {
        "Both art.ini and zarkart.ini are there, and zarkdata.dat says inactive, so ZARK's copy "
        "belongs under zarkart.ini. Move the copy that is not ZARK's out of the game folder"};
    EXPECT_EQ(RepairResult(report, std::nullopt, {"both"}),
              "Renamed rules.ini to zarkrules.ini\n" + report.decisions[0] + ", then switch again.");
    EXPECT_EQ(RepairResult(report, missing, {}), "Renamed rules.ini to zarkrules.ini\n\n" + head + "Try again.");

    Failure refused{13, "Permission denied", "zarkdata.lock"};
    refused.cause = Cause::LockFileRefused;
    EXPECT_EQ(ClearLockOffer(refused),
              "Error 13: Permission denied\nFile: " + inFolder("zarkdata.lock") +
                  "\n\nzarkdata.lock is read-only or belongs to another user. zarkdata.lock only holds the switch "
                  "lock, and the next switch makes it anew as a plain file.\n\nDelete zarkdata.lock and switch now?");
    EXPECT_EQ(ClearLockOffer(LockFileNotAFileFailure("zarkdata.lock", EntryKind::Folder)),
              "Error 75: Path/File access error: a folder, not a file\nFile: " + inFolder("zarkdata.lock") +
                  "\n\nzarkdata.lock only holds the switch lock, and the next switch makes it anew as a plain "
                  "file. A folder is removed only if it is empty.\n\nRemove zarkdata.lock and switch now?");
}

TEST(Report, ListsWhatCouldNotBePutBackAndSaysBusyInASentence) {
    TempFolder folder;
    Failure failure{2, "No such file or directory", "zarkart.ini"};
    EXPECT_EQ(FailureReport(failure, {{"zarkrules.ini", "rules.ini"}}),
              "Error 2: No such file or directory\nFile: " + inFolder("zarkart.ini") +
                  "\n\nThese files could not be put back:\n" + inFolder("zarkrules.ini") + " is left as " +
                  inFolder("rules.ini"));
    EXPECT_EQ(FailureReport(BusyFailure("zarkdata.lock")),
              "Another program is switching ZARK in this folder. Try again once it has finished.");
}

// Windows' texts leave inserts for the caller: the file goes into %1, anything else is left out.
TEST(Report, FillsInTheSystemsText) {
    TempFolder folder;
    EXPECT_EQ(FailureReport(Failure{193, "Bad EXE format for %1.", "sun.exe"}),
              "Error 193: Bad EXE format for " + inFolder("sun.exe") + ".\nFile: " + inFolder("sun.exe"));
    EXPECT_EQ(FailureReport(Failure{1, "%1 is not %2.", ""}), "Error 1: is not.");
    EXPECT_EQ(FailureReport(Failure{2, "File not found.", "/games/ts/zarkdata.dat"}),
              "Error 2: File not found.\nFile: /games/ts/zarkdata.dat");
}

TEST(Report, InOneLineEndsWithTheFileAndTheAdvice) {
    Failure windows{37, "The request is not supported.", "zarkdata.lock"};
    windows.cause = Cause::NoLocks;
    EXPECT_EQ(FailureLine(windows),
              "The request is not supported (zarkdata.lock). The game folder's file system "
              "offers no file locks, which switching needs: move the game to a local disk.");
    EXPECT_EQ(FailureLine(Failure{5, "Input/output error", "zarkdata.lock"}), "Input/output error (zarkdata.lock)");
}

}  // namespace
}  // namespace zark::test
