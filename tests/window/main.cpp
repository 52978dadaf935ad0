// The window tests' entry point: GoogleTest, with the game folders that an earlier run left
// behind removed before the first test, and the launcher's open message box shown with every
// failure.
#include "support/failurenote.h"
#include "support/gamefolder.h"

#include <gtest/gtest.h>

namespace {

class LeftoverGameFolders : public ::testing::Environment {
public:
    void SetUp() override { windowtest::removeLeftoverGameFolders(); }
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new LeftoverGameFolders);
    ::testing::UnitTest::GetInstance()->listeners().Append(new windowtest::OpenMessageBoxAtFailure);
    return RUN_ALL_TESTS();
}
