#pragma once

#include "switching/failure.h"
#include "switching/filesystem.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace zark {

// One variant's state: 1 active, 2 inactive, 0 not set; other values are left alone.
using ModState = std::int16_t;

inline constexpr ModState kActive = 1;
inline constexpr ModState kInactive = 2;

inline const std::string kBaseStore = "zarkdata.dat";
inline const std::string kFsStore = "zarkdata2.dat";

// A store holds three bytes; anything longer than this is no store, and reading it whole
// would only cost time and memory.
inline constexpr std::size_t kStoreLimit = 64 * 1024;

// A read yields a state or the failure that stopped it.
using ModStateRead = std::variant<ModState, Failure>;

// Reads the first item of a store file's content as a ModState (no file access).
ModStateRead ParseModState(const std::string& content, const std::string& fileName);

ModStateRead ReadModState(FileSystem& disk, const std::string& fileName);

// Active or inactive: a state the switches act on.
inline bool IsDecided(ModState state) { return state == kActive || state == kInactive; }

// "active", "inactive", "not set", or the number itself.
std::string DescribeState(ModState state);

// Replaces the store's content with the value and CR LF, atomically: a write that fails
// leaves the old content and no temporary file.
std::optional<Failure> WriteModState(FileSystem& disk, const std::string& fileName, ModState value);

// A temporary file of a store write, <store>.<process>.<count>.tmp: one that is there while
// nobody holds the switch lock was left by a write that was cut short.
bool IsStoreTemporary(const std::string& name);

// A store as start-up and the status check read it.
struct StoreRead {
    ModStateRead state;
    // The file begins with a byte-order mark (UTF-8 or UTF-16), as an editor may save it:
    // the number after it does not read as a number.
    bool byteOrderMark = false;
};

struct StoresRead {
    StoreRead base;  // zarkdata.dat
    StoreRead fs;    // zarkdata2.dat

    const StoreRead& of(const std::string& store) const { return store == kBaseStore ? base : fs; }
};

// Reads both stores, zarkdata.dat first, each whether or not the other could be read.
StoresRead ReadStores(FileSystem& disk);

// Reads both stores as ReadStores does, each in one attempt: for a look that must not keep
// anyone waiting, where a store held at this moment is simply read at the next chance.
StoresRead GlanceAtStores(FileSystem& disk);

}  // namespace zark
