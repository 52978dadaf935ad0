#pragma once

#include "filesystem.h"
#include "modstate.h"
#include "switchlock.h"

#include <gtest/gtest.h>

#include <grp.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

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
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
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

// The real file system, with chosen calls made to fail: the N-th call (counted from 1) of an
// operation fails without touching the disk, for good (`failing`) or for the moment, as for a
// file that another program holds open (`held`); a file named in `heldFiles` of an operation
// is held from that operation for as long as the test lasts. A call in `slow` takes half a
// second before it runs, as on a slow disk. Counts every call and logs it; pauses are logged,
// not waited.
class FaultyFileSystem final : public FileSystem {
public:
    enum Op { Read, Rename, Replace, Remove, OpCount };

    std::set<int> failing[OpCount];
    std::set<int> held[OpCount];
    std::set<std::string> heldFiles[OpCount];
    std::set<int> slow[OpCount];
    int calls[OpCount] = {};
    // Every call in order ("read x", "rename a -> b", "write x", "replace x", "remove x.tmp",
    // "pause 10"), failing ones included; a temporary file of x shows as x.tmp.
    std::vector<std::string> log;

    static Failure injected(const std::string& file) { return Failure{9999, "injected fault", file}; }

    int pausedMs() const { return paused_; }

    std::optional<Failure> readFile(const std::string& name, std::size_t limit, std::string& content) override {
        log.push_back("read " + name);
        if (auto failure = fault(Read, name)) return failure;
        return realFileSystem().readFile(name, limit, content);
    }
    std::optional<Failure> kindOf(const std::string& name, EntryKind& kind) override {
        return realFileSystem().kindOf(name, kind);
    }
    std::optional<Failure> listFolder(std::vector<std::string>& names) override {
        return realFileSystem().listFolder(names);
    }
    std::optional<Failure> renameNoReplace(const std::string& from, const std::string& to) override {
        log.push_back("rename " + from + " -> " + to);
        if (auto failure = fault(Rename, from)) return failure;
        return realFileSystem().renameNoReplace(from, to);
    }
    std::optional<Failure> writeTemporary(const std::string& name, const std::string& content,
                                          std::string& temporary) override {
        log.push_back("write " + name);
        return realFileSystem().writeTemporary(name, content, temporary);
    }
    std::optional<Failure> replaceWith(const std::string& temporary, const std::string& name) override {
        log.push_back("replace " + name);
        if (auto failure = fault(Replace, name)) return failure;
        return realFileSystem().replaceWith(temporary, name);
    }
    std::optional<Failure> removeFile(const std::string& name) override {
        log.push_back("remove " + shown(name));
        if (auto failure = fault(Remove, name)) return failure;
        return realFileSystem().removeFile(name);
    }
    std::optional<Failure> tryLock(const std::string& name, std::unique_ptr<FileLock>& lock) override {
        return realFileSystem().tryLock(name, lock);
    }
    std::optional<std::string> virtualStoreCopy(const std::string& name) override {
        return realFileSystem().virtualStoreCopy(name);
    }
    void pause(int milliseconds) override {
        log.push_back("pause " + std::to_string(milliseconds));
        paused_ += milliseconds;
    }

private:
    std::optional<Failure> fault(Op op, const std::string& file) {
        const int call = ++calls[op];
        if (slow[op].count(call) > 0) std::this_thread::sleep_for(std::chrono::milliseconds(500));
        const bool isHeld = held[op].count(call) > 0 || heldFiles[op].count(file) > 0;
        if (failing[op].count(call) == 0 && !isHeld) return std::nullopt;
        Failure failure = injected(file);
        failure.transient = isHeld;
        return failure;
    }
    static std::string shown(const std::string& name) {
        return IsStoreTemporary(name) ? name.substr(0, name.find(".dat.") + 4) + ".tmp" : name;
    }
    int paused_ = 0;
};

}  // namespace zark::test
