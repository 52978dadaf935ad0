// The real file system with chosen calls made to fail, for tests of what the core does when a
// step fails.
#pragma once

#include "switching/filesystem.h"
#include "switching/modstate.h"

#include <chrono>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace zark::test {

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
    std::optional<Failure> removeFileOrEmptyFolder(const std::string& name) override {
        return realFileSystem().removeFileOrEmptyFolder(name);
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
