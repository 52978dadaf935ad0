// Several zarkswitch processes on one game folder at once, some of them killed part-way: one
// switch at a time, and nothing that a killed one leaves blocks or loses anything.
#include "zarkswitchrun.h"

#include <csignal>
#include <chrono>
#include <random>
#include <set>

namespace zark::test {
namespace {

const std::vector<std::vector<std::string>> kSwitches{
    {"activate", "base"}, {"deactivate", "base"}, {"activate", "fs"}, {"deactivate", "fs"}};

// Runs random switches until `until`, in a process of its own; that process ends with 0 if
// every run ended with one of the `allowed` statuses.
pid_t switcher(std::chrono::steady_clock::time_point until, std::set<int> allowed, unsigned seed) {
    const pid_t child = ::fork();
    if (child != 0) return child;
    std::mt19937 random(seed);
    int status = 0;
    while (std::chrono::steady_clock::now() < until) {
        const Result run = zarkswitch(kSwitches[random() % kSwitches.size()]);
        if (allowed.count(run.status) == 0) {
            std::fprintf(stderr, "unexpected exit status %d: %s", run.status, run.err.c_str());
            status = 1;
        }
    }
    ::_exit(status);
}

// Starts switches at random and kills each after a random moment, mostly in the middle of it.
pid_t killer(std::chrono::steady_clock::time_point until, unsigned seed) {
    const pid_t child = ::fork();
    if (child != 0) return child;
    std::mt19937 random(seed);
    while (std::chrono::steady_clock::now() < until) {
        const auto& args = kSwitches[random() % kSwitches.size()];
        const pid_t victim = ::fork();
        if (victim == 0) {
            std::freopen("/dev/null", "w", stdout);
            std::freopen("/dev/null", "w", stderr);
            ::execl(ZARKSWITCH, ZARKSWITCH, args[0].c_str(), args[1].c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::usleep(random() % 3000);
        ::kill(victim, SIGKILL);
        ::waitpid(victim, nullptr, 0);
    }
    ::_exit(0);
}

bool endedWell(pid_t child) {
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The rule files' contents, wherever they stand: each of the three exactly once.
std::multiset<std::string> ruleContents() {
    std::multiset<std::string> contents;
    for (const auto& [name, bytes] : snapshot()) {
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".ini") == 0) contents.insert(bytes);
    }
    return contents;
}

const std::multiset<std::string> kRuleContents{"; zarkrules.ini\r\n", "; zarkart.ini\r\n",
                                               "; zarkfirestrm.ini\r\n"};

TEST(Concurrency, SwitchersAtOnceLeaveTheFolderAgreeing) {
    TempFolder folder;
    layOut("2\r\n", "2\r\n", kAllInactive);
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    // Done, refused, or waited for long enough to give up: never a failed switch.
    std::vector<pid_t> switchers;
    for (unsigned seed = 1; seed <= 4; ++seed) switchers.push_back(switcher(until, {0, 1, 2}, seed));
    for (pid_t child : switchers) EXPECT_TRUE(endedWell(child));

    const Result status = zarkswitch({"status"});
    EXPECT_EQ(status.status, 0) << status.out;
    EXPECT_EQ(ruleContents(), kRuleContents);
}

TEST(Concurrency, KilledSwitchersBlockNothingAndRepairMendsWhatTheyLeft) {
    TempFolder folder;
    layOut("2\r\n", "2\r\n", kAllInactive);
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    // A half switch left by a kill makes later switches fail: that is what repair is for.
    std::vector<pid_t> children{killer(until, 7)};
    for (unsigned seed = 1; seed <= 2; ++seed) children.push_back(switcher(until, {0, 1, 2}, seed));
    for (pid_t child : children) EXPECT_TRUE(endedWell(child));

    const Result repair = zarkswitch({"repair"});
    EXPECT_EQ(repair.status, 0) << repair.out << repair.err;
    EXPECT_EQ(zarkswitch({"status"}).status, 0);
    EXPECT_EQ(ruleContents(), kRuleContents);
}

TEST(Concurrency, ASwitchWaitsForTheHolderThenGivesUp) {
    TempFolder folder;
    layOut("2\r\n", "2\r\n", kAllInactive);
    const Snapshot before = snapshot();
    std::unique_ptr<FileLock> held;
    ASSERT_FALSE(realFileSystem().tryLock(kLockFile, held));

    const Result run = zarkswitch({"activate", "base"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err,
              "zarkswitch: Another program is switching ZARK in this folder. Try again once it has finished.\n");
    EXPECT_EQ(snapshot(), before);
    // Status reads without the lock.
    EXPECT_EQ(zarkswitch({"status"}).status, 0);
}

}  // namespace
}  // namespace zark::test
