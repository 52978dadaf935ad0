// The error report: the file by its full path, the system's text filled in, and advice only
// where it is true, in words for the system it runs on.
#include "report.h"
#include "testfolder.h"

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
        {Cause::InUse, "Another program has this file open: the game, an editor, or a virus scanner. Close it and "
                       "try again."},
        {Cause::ReadOnlyFile, "The file is read-only. Give it write permission (chmod u+w) and try again."},
        {Cause::FolderProtected, "You may not write in the game folder. Check its permissions and owner (ls -ld), "
                                 "give yourself write permission (chmod u+w), or move the game to a folder of your "
                                 "own."},
        {Cause::SourceMissing, "Run zarkswitch status in the game folder to see what is out of place, and zarkswitch "
                               "repair to put it right."},
        {Cause::NameTaken, "Run zarkswitch status in the game folder to see what is out of place, and zarkswitch "
                           "repair to put it right."},
        {Cause::NoLocks, "The game folder's file system offers no file locks, which switching needs: move the game "
                         "to a local disk."},
        {Cause::NotGameFolder, "ZARK Launcher must be started in the game folder, beside sun.exe. If you start it "
                               "from a shortcut, write the game folder into the shortcut's \"Start in\" field."},
        {Cause::GameMissing, "The game folder holds no sun.exe. ZARK Launcher belongs in the game folder, beside "
                             "sun.exe."},
    };
    for (const Case& c : cases) {
        Failure failure{13, "Permission denied", "zarkart.ini"};
        failure.cause = c.cause;
        const std::string plain = "Error 13: Permission denied\nFile: " + inFolder("zarkart.ini");
        EXPECT_EQ(FailureReport(failure), c.advice ? plain + "\n\n" + c.advice : plain);
    }
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
    EXPECT_EQ(FailureLine(windows), "The request is not supported (zarkdata.lock). The game folder's file system "
                                    "offers no file locks, which switching needs: move the game to a local disk.");
    EXPECT_EQ(FailureLine(Failure{5, "Input/output error", "zarkdata.lock"}), "Input/output error (zarkdata.lock)");
}

}  // namespace
}  // namespace zark::test
