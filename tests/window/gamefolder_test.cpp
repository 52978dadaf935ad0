// The game folders of the tests themselves: a run that crashed leaves its folders behind, under
// names that a later run gives too, since Wine gives the tests one of the same few process ids.
#include "support/gamefolder.h"
#include "support/handles.h"
#include "support/launcher.h"

#include <gtest/gtest.h>

namespace windowtest {
namespace {

TEST(GameFolderTest, LeftoverOfAnEarlierRunIsPassedByAndRemovedAtTheNextStart) {
    std::wstring leftover;
    {
        const GameFolder earlier;
        const size_t dash = earlier.path().rfind(L'-');
        leftover = earlier.path().substr(0, dash + 1) + std::to_wstring(std::stoi(earlier.path().substr(dash + 1)) + 1);
    }
    ASSERT_TRUE(CreateDirectoryW(leftover.c_str(), nullptr));
    Handle file(CreateFileW((leftover + L"\\zarkdata.dat").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file);
    ASSERT_TRUE(file.close());

    {
        const GameFolder folder;
        EXPECT_TRUE(folder.contents().empty()) << "a folder of its own";
        layOutGame(folder);
        const Launcher launcher(folder.path());
        EXPECT_NE(launcher.waitForMainWindow(), nullptr);
    }

    removeLeftoverGameFolders();
    EXPECT_EQ(GetFileAttributesW(leftover.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace windowtest
