#pragma once

#include "failure.h"
#include "filesystem.h"
#include "modstate.h"

#include <optional>
#include <string>
#include <vector>

namespace zark {

// Checks that the rule files on disk stand where the stores say, a check the switches never
// make (they trust the store). Appends one plain sentence per disagreement to `findings`; a
// file is expected under the game's name while a variant that moves it is active, under its
// zark name while one is inactive, and not checked while its variants are neither.
std::optional<Failure> CheckRuleFiles(FileSystem& fs, ModState basestate, ModState fsstate,
                                      std::vector<std::string>& findings);

}  // namespace zark
