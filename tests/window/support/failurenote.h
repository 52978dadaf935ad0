// What a failure alone does not show: the message box that the launcher has open at that
// moment, which is often why a check failed.
#pragma once

#include <gtest/gtest.h>

namespace windowtest {

// After each failed check, prints the title and text of every message box that a launcher
// under test shows.
class OpenMessageBoxAtFailure : public ::testing::EmptyTestEventListener {
public:
    void OnTestPartResult(const ::testing::TestPartResult& result) override;
};

}  // namespace windowtest
