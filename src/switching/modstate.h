#pragma once

#include "failure.h"
#include "filesystem.h"

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

// A read yields a state or the failure that stopped it.
using ModStateRead = std::variant<ModState, Failure>;

// Reads the first item of a store file's content as a ModState (no file access).
ModStateRead ParseModState(const std::string& content, const std::string& fileName);

ModStateRead ReadModState(FileSystem& fs, const std::string& fileName);
std::optional<Failure> WriteModState(FileSystem& fs, const std::string& fileName, ModState value);

}  // namespace zark
