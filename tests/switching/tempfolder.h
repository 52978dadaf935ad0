// A temporary working folder for tests on real files, what lies in it, and a user whom
// permissions bind.
#pragma once

#include "switching/switchlock.h"

#include <gtest/gtest.h>

#include <grp.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>

namespace zark::test {

// A fresh, empty temporary folder that is the working folder while the object lives (the
// core names every file relative to the working folder).
class TempFolder {
public:
    TempFolder() : previous_(std::filesystem::current_path()) {
        std::string pattern = (std::filesystem::temp_directory_path() / "zarktest.XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
        std::filesystem::current_path(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                     ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

// Runs `body` in a child process as the unprivileged user nobody when the tests run as root (as
// CI does), since root may write where nobody else may: the permission cases need a user whom
// permissions bind. The working folder becomes that user's own; what lies in it stays as it is.
// A failure inside makes the child, and so the test, fail; the child tells it on standard error,
// which the test then shows.
template <class Body>
void asUnprivileged(Body body) {
    constexpr uid_t kNobody = 65534;
    EXPECT_EXIT(
        {
            if (::geteuid() == 0 && (::chown(".", kNobody, kNobody) != 0 || ::setgroups(0, nullptr) != 0 ||
                                     ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
                std::fputs("cannot become nobody\n", stderr);
                std::_Exit(2);
            }
            body();
            const testing::TestResult& result = *testing::UnitTest::GetInstance()->current_test_info()->result();
            for (int i = 0; i < result.total_part_count(); ++i) {
                const testing::TestPartResult& part = result.GetTestPartResult(i);
                if (part.failed()) std::fprintf(stderr, "line %d: %s\n", part.line_number(), part.message());
            }
            std::_Exit(testing::Test::HasFailure() ? 1 : 0);
        },
        testing::ExitedWithCode(0), "");
}

// The full path of a name in the working folder, as reports give it.
inline std::string inFolder(const std::string& name) { return (std::filesystem::current_path() / name).string(); }

inline void writeFile(const std::string& name, const std::string& bytes) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out << bytes;
    ASSERT_TRUE(out.good()) << name;
}

inline std::optional<std::string> fileBytes(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every file of the working folder with its content: compares whole folder states, so that a
// stray temporary file or a file under a wrong name shows. The switch lock's file is left
// out: it comes with the first switch and stays, empty.
using Snapshot = std::map<std::string, std::string>;

inline Snapshot snapshot() {
    Snapshot result;
    for (const auto& entry : std::filesystem::directory_iterator(".")) {
        const std::string name = entry.path().filename().string();
        if (name == kLockFile) continue;
        result[name] = entry.is_regular_file() ? fileBytes(name).value_or("<unreadable>") : "<not a file>";
    }
    return result;
}

}  // namespace zark::test
