#pragma once

#include "filesystem.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
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

// Every regular file of the working folder with its content: compares whole folder states,
// so that a stray temporary file or a file under a wrong name shows.
using Snapshot = std::map<std::string, std::string>;

inline Snapshot snapshot() {
    Snapshot result;
    for (const auto& entry : std::filesystem::directory_iterator(".")) {
        const std::string name = entry.path().filename().string();
        result[name] = entry.is_regular_file() ? fileBytes(name).value_or("<unreadable>") : "<not a file>";
    }
    return result;
}

// The real file system, with chosen calls made to fail: the N-th call (counted from 1) of an
// operation fails without touching the disk. Counts every call.
class FaultyFileSystem final : public FileSystem {
public:
    enum Op { Read, Rename, Replace, OpCount };

    std::set<int> failing[OpCount];
    int calls[OpCount] = {};
    // Every call in order ("read x", "rename a -> b", "replace x"), failing ones included.
    std::vector<std::string> log;

    static Failure injected(const std::string& file) { return Failure{9999, "injected fault", file, false}; }

    std::optional<Failure> readFile(const std::string& name, std::string& content) override {
        log.push_back("read " + name);
        if (fails(Read)) return injected(name);
        return realFileSystem().readFile(name, content);
    }
    std::optional<Failure> fileExists(const std::string& name, bool& exists) override {
        return realFileSystem().fileExists(name, exists);
    }
    std::optional<Failure> renameNoReplace(const std::string& from, const std::string& to) override {
        log.push_back("rename " + from + " -> " + to);
        if (fails(Rename)) return injected(from);
        return realFileSystem().renameNoReplace(from, to);
    }
    std::optional<Failure> replaceAtomically(const std::string& name, const std::string& content) override {
        log.push_back("replace " + name);
        if (fails(Replace)) return injected(name);
        return realFileSystem().replaceAtomically(name, content);
    }

private:
    bool fails(Op op) { return failing[op].count(++calls[op]) > 0; }
};

}  // namespace zark::test
