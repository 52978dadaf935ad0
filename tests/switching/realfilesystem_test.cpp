// The real file system behind the seam: no-overwrite renames, atomic replacement and the lock.
#include "switching/realfilesystem_posix.h"
#include "tempfolder.h"

#include "switching/modstate.h"
#include "switching/switchlock.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace zark::test {
namespace {

using RenameFunction = std::optional<Failure> (*)(const std::string&, const std::string&);

std::optional<Failure> realRename(const std::string& from, const std::string& to) {
    return realFileSystem().renameNoReplace(from, to);
}

struct RenameCase {
    const char* label;
    RenameFunction rename;
};

// Both ways of renaming: renameat2 with RENAME_NOREPLACE and the link + unlink fallback.
class Rename : public testing::TestWithParam<RenameCase> {
    TempFolder folder_;
};

TEST_P(Rename, MovesTheFile) {
    writeFile("zarkrules.ini", "rules");
    EXPECT_FALSE(GetParam().rename("zarkrules.ini", "rules.ini"));
    EXPECT_EQ(snapshot(), (Snapshot{{"rules.ini", "rules"}}));
}

TEST_P(Rename, NeverOverwrites) {
    writeFile("zarkrules.ini", "zark rules");
    writeFile("rules.ini", "game rules");
    const auto failure = GetParam().rename("zarkrules.ini", "rules.ini");
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->number, EEXIST);
    EXPECT_EQ(failure->file, "rules.ini");
    EXPECT_EQ(snapshot(), (Snapshot{{"rules.ini", "game rules"}, {"zarkrules.ini", "zark rules"}}));
}

TEST_P(Rename, MissingSourceFails) {
    const auto failure = GetParam().rename("zarkart.ini", "art.ini");
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->number, ENOENT);
    EXPECT_EQ(failure->description, std::strerror(ENOENT));
    EXPECT_EQ(failure->file, "zarkart.ini");
    EXPECT_TRUE(snapshot().empty());
}

INSTANTIATE_TEST_SUITE_P(Seam, Rename,
                         testing::Values(RenameCase{"Renameat2", realRename}, RenameCase{"LinkFallback", renameByLink}),
                         [](const testing::TestParamInfo<RenameCase>& info) { return std::string(info.param.label); });

// Replacing a store: a temporary file beside it, then renamed over it.
class Replace : public testing::Test {
    TempFolder folder_;
};

TEST_F(Replace, WritesATemporaryFileThenPutsItInPlace) {
    writeFile("zarkdata.dat", "old content, longer than the new");
    std::string temporary;
    ASSERT_FALSE(realFileSystem().writeTemporary("zarkdata.dat", "new", temporary));
    EXPECT_TRUE(IsStoreTemporary(temporary)) << temporary;
    EXPECT_EQ(fileBytes(temporary), "new");
    EXPECT_FALSE(realFileSystem().replaceWith(temporary, "zarkdata.dat"));
    EXPECT_EQ(snapshot(), (Snapshot{{"zarkdata.dat", "new"}}));
}

// A target that cannot be replaced (a folder holding a file): the rename over it fails after
// the temporary file was written, which must then be gone.
TEST_F(Replace, FailureRemovesTemporaryFile) {
    std::filesystem::create_directory("zarkdata.dat");
    writeFile("zarkdata.dat/inside", "kept");
    const auto failure = WriteModState(realFileSystem(), "zarkdata.dat", kActive);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->file, "zarkdata.dat");
    EXPECT_EQ(snapshot(), (Snapshot{{"zarkdata.dat", "<not a file>"}}));
    EXPECT_EQ(fileBytes("zarkdata.dat/inside"), "kept");
}

TEST_F(Replace, MissingFolderFails) {
    const auto failure = WriteModState(realFileSystem(), "nowhere/zarkdata.dat", kActive);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->number, ENOENT);
    EXPECT_EQ(failure->file, "nowhere/zarkdata.dat");
    EXPECT_TRUE(snapshot().empty());
}

TEST_F(Replace, ReadOnlyFolderKeepsOldContentAndSaysWhy) {
    writeFile("zarkdata.dat", "2\r\n");
    asUnprivileged([] {
        std::filesystem::permissions(".", std::filesystem::perms::owner_write, std::filesystem::perm_options::remove);
        const auto failure = WriteModState(realFileSystem(), "zarkdata.dat", kActive);
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->cause, Cause::FolderProtected);
        EXPECT_EQ(snapshot(), (Snapshot{{"zarkdata.dat", "2\r\n"}}));
    });
}

// However often the store is replaced, a reader finds the old content or the new one, never no
// file or an empty one.
TEST_F(Replace, AReaderAlwaysFindsAWholeStore) {
    writeFile("zarkdata.dat", "2\r\n");
    std::atomic<bool> writing{true};
    std::thread writer([&] {
        for (int i = 0; i < 200; ++i) EXPECT_FALSE(WriteModState(realFileSystem(), "zarkdata.dat", i % 2 ? 2 : 1));
        writing = false;
    });
    std::map<std::string, int> found;
    while (writing) {
        std::string content;
        const auto failure = realFileSystem().readFile("zarkdata.dat", kStoreLimit, content);
        ++found[failure ? failure->description : content];
    }
    writer.join();
    found.erase("1\r\n");
    found.erase("2\r\n");
    EXPECT_TRUE(found.empty()) << found.begin()->first << " (" << found.begin()->second << " times)";
}

// The folder's switch lock: one holder at a time, whether in this process or another, and
// none once the holder is gone, however it went.
class Lock : public testing::Test {
    TempFolder folder_;
};

TEST_F(Lock, HasOneHolderAtATime) {
    std::unique_ptr<FileLock> first;
    ASSERT_FALSE(realFileSystem().tryLock(kLockFile, first));
    std::unique_ptr<FileLock> second;
    const auto busy = realFileSystem().tryLock(kLockFile, second);
    ASSERT_TRUE(busy);
    EXPECT_EQ(busy->cause, Cause::Busy);
    EXPECT_FALSE(second);
    first.reset();
    EXPECT_FALSE(realFileSystem().tryLock(kLockFile, second));
}

TEST_F(Lock, AKilledHolderLetsGo) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    if (holder == 0) {
        std::unique_ptr<FileLock> lock;
        if (!realFileSystem().tryLock(kLockFile, lock)) (void)!::write(ready[1], "L", 1);
        ::pause();
        ::_exit(0);
    }
    char got = 0;
    ASSERT_EQ(::read(ready[0], &got, 1), 1) << "the holder did not take the lock";
    std::unique_ptr<FileLock> lock;
    EXPECT_TRUE(realFileSystem().tryLock(kLockFile, lock)) << "the holder's lock does not exclude";
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    EXPECT_FALSE(realFileSystem().tryLock(kLockFile, lock));
    ::close(ready[0]);
    ::close(ready[1]);
}

// The launcher's glance at the stores keeps out of another program's switch: nothing while that
// program holds the lock, the stores otherwise; and it makes no lock file where there is none.
TEST_F(Lock, AGlanceReadsBetweenSwitchesOnly) {
    writeFile("zarkdata.dat", "1\r\n");
    writeFile("zarkdata2.dat", "2\r\n");
    std::optional<StoresRead> read = GlanceBetweenSwitches(realFileSystem());
    ASSERT_TRUE(read);
    EXPECT_EQ(std::get<ModState>(read->base.state), 1);
    EXPECT_EQ(std::get<ModState>(read->fs.state), 2);
    EXPECT_FALSE(std::filesystem::exists(kLockFile));

    std::unique_ptr<FileLock> switching;
    ASSERT_FALSE(realFileSystem().tryLock(kLockFile, switching));
    EXPECT_FALSE(GlanceBetweenSwitches(realFileSystem()));
    switching.reset();
    EXPECT_TRUE(GlanceBetweenSwitches(realFileSystem()));
}

// A lock file that no switch can use is cleared away only where that is safe: a plain file,
// read-only or not, or an empty folder; never a folder with content, never a link or what it
// leads to. A link is not even offered.
TEST_F(Lock, AnUnusableLockFileIsClearedOnlyWhereThatIsSafe) {
    struct Case {
        const char* made;  // "file", "read-only file", "empty folder", "full folder", "link"
        Cause cause;       // as tryLock reports it
        bool offered;
        bool removed;
    };
    const Case cases[] = {
        {"file", Cause::LockFileRefused, true, true},          {"read-only file", Cause::LockFileRefused, true, true},
        {"empty folder", Cause::LockFileNotAFile, true, true}, {"full folder", Cause::LockFileNotAFile, true, false},
        {"link", Cause::LockFileNotAFile, false, false},
    };
    const std::filesystem::path outside = std::filesystem::temp_directory_path() / "zarktest-lock-target";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.made);
        std::filesystem::create_directory(outside);
        const std::string made = c.made;
        if (made == "link") {
            std::filesystem::create_directory_symlink(outside, kLockFile);
        } else if (made.find("folder") != std::string::npos) {
            std::filesystem::create_directory(kLockFile);
            if (made == "full folder") writeFile(kLockFile + "/kept", "kept");
        } else {
            writeFile(kLockFile, "");
            if (made == "read-only file") std::filesystem::permissions(kLockFile, std::filesystem::perms::owner_read);
        }
        Failure failure{13, "Permission denied", kLockFile};
        failure.cause = c.cause;

        EXPECT_EQ(LockFileClearable(realFileSystem(), failure), c.offered);
        const std::optional<Failure> cleared = ClearLockFile(realFileSystem(), failure);
        EXPECT_EQ(!cleared, c.removed);
        if (cleared) {
            EXPECT_EQ(cleared->cause, c.cause) << "the lock's advice must still hold";
        }
        EXPECT_EQ(std::filesystem::exists(std::filesystem::symlink_status(kLockFile)), !c.removed);
        EXPECT_TRUE(std::filesystem::exists(outside)) << "removed through the link";
        std::filesystem::remove_all(kLockFile);
        std::filesystem::remove_all(outside);
    }
}

TEST(SystemFailure, DescribesInTheSystemsWords) {
    const Failure denied = systemFailure(EACCES, "zarkdata.dat");
    EXPECT_EQ(denied.number, EACCES);
    EXPECT_EQ(denied.description, std::strerror(EACCES));
    EXPECT_EQ(denied.file, "zarkdata.dat");
    EXPECT_FALSE(denied.transient);
}

}  // namespace
}  // namespace zark::test
