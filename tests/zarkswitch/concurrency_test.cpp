// Several zarkswitch processes on one game folder at once, some of them killed part-way: one
// switch at a time, and nothing that a killed one leaves blocks or loses anything.
#include "zarkswitchrun.h"

#include "faultyfilesystem.h"
#include "switching/switches.h"

#include <chrono>
#include <csignal>
#include <random>
#include <set>
#include <thread>

namespace zark::test {
namespace {

const std::vector<std::vector<std::string>> kSwitches{
    {"activate", "base"}, {"deactivate", "base"}, {"activate", "fs"}, {"deactivate", "fs"}};

// Done, refused, or waited for long enough to give up: never a failed switch.
bool doneRefusedOrBusy(const Result& run) {
    return run.status == 0 || run.status == 1 || (run.status == 2 && run.err == kBusy);
}

// Or stopped by the half switch that a killed switcher left, which it says with the advice to
// repair.
bool orStoppedByAHalfSwitch(const Result& run) {
    return doneRefusedOrBusy(run) || (run.status == 2 && run.err.find("zarkswitch repair") != std::string::npos);
}

// Runs random switches until `until`, in a process of its own; that process ends with 0 if
// every run ended as `acceptable` allows.
pid_t switcher(std::chrono::steady_clock::time_point until, bool (*acceptable)(const Result&), unsigned seed) {
    const pid_t child = ::fork();
    if (child != 0) return child;
    std::mt19937 random(seed);
    int status = 0;
    while (std::chrono::steady_clock::now() < until) {
        const Result run = zarkswitch(kSwitches[random() % kSwitches.size()]);
        if (!acceptable(run)) {
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
            ::execl(kZarkswitch.c_str(), kZarkswitch.c_str(), args[0].c_str(), args[1].c_str(),
                    static_cast<char*>(nullptr));
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

const std::multiset<std::string> kRuleContents{"; zarkrules.ini\r\n", "; zarkart.ini\r\n", "; zarkfirestrm.ini\r\n"};

TEST(Concurrency, SwitchersAtOnceLeaveTheFolderAgreeing) {
    TempFolder folder;
    create(gameFolder("2\r\n", "2\r\n", kAllInactive));
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    std::vector<pid_t> switchers;
    for (unsigned seed = 1; seed <= 4; ++seed) switchers.push_back(switcher(until, doneRefusedOrBusy, seed));
    for (pid_t child : switchers) EXPECT_TRUE(endedWell(child));

    const Result status = zarkswitch({"status"});
    EXPECT_EQ(status.status, 0) << status.out;
    EXPECT_EQ(ruleContents(), kRuleContents);
}

TEST(Concurrency, KilledSwitchersBlockNothingAndRepairMendsWhatTheyLeft) {
    TempFolder folder;
    create(gameFolder("2\r\n", "2\r\n", kAllInactive));
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    // A half switch left by a kill makes later switches fail: that is what repair is for.
    std::vector<pid_t> children{killer(until, 7)};
    for (unsigned seed = 1; seed <= 2; ++seed) children.push_back(switcher(until, orStoppedByAHalfSwitch, seed));
    for (pid_t child : children) EXPECT_TRUE(endedWell(child));

    const Result repair = zarkswitch({"repair"});
    EXPECT_EQ(repair.status, 0) << repair.out << repair.err;
    EXPECT_EQ(zarkswitch({"status"}).status, 0);
    EXPECT_EQ(ruleContents(), kRuleContents);
}

// Every command takes the lock, status and repair too: each waits about two seconds for the
// holder, then says that another program is switching and leaves everything as it was (here a
// folder that repair would mend and where status would find something).
TEST(Concurrency, EachCommandWaitsForTheHolderThenGivesUp) {
    for (const std::vector<std::string>& args : {kSwitches[0], {"repair"}, {"status"}}) {
        TempFolder folder;
        create(gameFolder("2\r\n", "2\r\n", {"rules.ini", "zarkart.ini", "zarkfirestrm.ini"}));
        const Snapshot before = snapshot();
        std::unique_ptr<FileLock> held;
        ASSERT_FALSE(realFileSystem().tryLock(kLockFile, held));

        const auto started = std::chrono::steady_clock::now();
        const Result run = zarkswitch(args);
        const auto waited = std::chrono::steady_clock::now() - started;
        EXPECT_GE(std::chrono::duration_cast<std::chrono::milliseconds>(waited).count(), 1500) << args[0];
        EXPECT_EQ(run.status, 2) << args[0];
        EXPECT_EQ(run.out, "") << args[0];
        EXPECT_EQ(run.err, kBusy) << args[0];
        EXPECT_EQ(snapshot(), before) << args[0];
    }
}

// Status in the middle of a switch (here the core's own, slowed inside its second rename) waits
// for it and reports the folder as the switch leaves it.
TEST(Concurrency, StatusReportsOnlyASettledFolder) {
    TempFolder folder;
    create(gameFolder("2\r\n", "2\r\n", kAllInactive));
    FaultyFileSystem slow;
    slow.slow[FaultyFileSystem::Rename].insert(2);
    std::thread switching([&] {
        SwitchLock lock;
        EXPECT_FALSE(LockSwitching(slow, lock));
        EXPECT_EQ(ActivateZarkFs(slow, lock).switchedTo, kActive);
    });
    // The first rename is done: the switch is in its second.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!std::filesystem::exists("firestrm.ini") && std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const Result run = zarkswitch({"status"});
    switching.join();
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out,
              "ZARK (zarkdata.dat): inactive\nZARK-FS (zarkdata2.dat): active\n"
              "The rule files agree with the stores.\n");
}

}  // namespace
}  // namespace zark::test
