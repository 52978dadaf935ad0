// The real file system behind the seam: no-overwrite renames and atomic replacement.
#include "realfilesystem_posix.h"
#include "testfolder.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
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

class Replace : public testing::Test {
    TempFolder folder_;
};

TEST_F(Replace, LeavesOnlyTheNewContent) {
    writeFile("zarkdata.dat", "old content, longer than the new");
    EXPECT_FALSE(realFileSystem().replaceAtomically("zarkdata.dat", "new"));
    EXPECT_EQ(snapshot(), (Snapshot{{"zarkdata.dat", "new"}}));
}

// A target that cannot be replaced (a folder holding a file): the rename over it fails after
// the temporary file was written, which must then be gone.
TEST_F(Replace, FailureRemovesTemporaryFile) {
    std::filesystem::create_directory("zarkdata.dat");
    writeFile("zarkdata.dat/inside", "kept");
    const auto failure = realFileSystem().replaceAtomically("zarkdata.dat", "1\r\n");
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->file, "zarkdata.dat");
    EXPECT_EQ(snapshot(), (Snapshot{{"zarkdata.dat", "<not a file>"}}));
    EXPECT_EQ(fileBytes("zarkdata.dat/inside"), "kept");
}

TEST_F(Replace, MissingFolderFails) {
    const auto failure = realFileSystem().replaceAtomically("nowhere/zarkdata.dat", "1\r\n");
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->number, ENOENT);
    EXPECT_EQ(failure->file, "nowhere/zarkdata.dat");
    EXPECT_TRUE(snapshot().empty());
}

TEST_F(Replace, ReadOnlyFolderKeepsOldContent) {
    if (::geteuid() == 0) GTEST_SKIP() << "root may write into read-only folders";
    writeFile("zarkdata.dat", "2\r\n");
    std::filesystem::permissions(".", std::filesystem::perms::owner_write, std::filesystem::perm_options::remove);
    const auto failure = realFileSystem().replaceAtomically("zarkdata.dat", "1\r\n");
    std::filesystem::permissions(".", std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    ASSERT_TRUE(failure);
    EXPECT_TRUE(failure->accessDenied);
    EXPECT_EQ(snapshot(), (Snapshot{{"zarkdata.dat", "2\r\n"}}));
}

TEST(SystemFailure, DescribesInTheSystemsWords) {
    const Failure denied = systemFailure(EACCES, "zarkdata.dat");
    EXPECT_EQ(denied.number, EACCES);
    EXPECT_EQ(denied.description, std::strerror(EACCES));
    EXPECT_EQ(denied.file, "zarkdata.dat");
    EXPECT_TRUE(denied.accessDenied);
    EXPECT_TRUE(systemFailure(EROFS, "x").accessDenied);
    EXPECT_TRUE(systemFailure(EPERM, "x").accessDenied);
    EXPECT_FALSE(systemFailure(ENOENT, "x").accessDenied);
}

}  // namespace
}  // namespace zark::test
