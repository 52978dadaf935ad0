#pragma once

#include "switching/filesystem.h"

namespace zark {

// The no-overwrite rename for file systems that refuse renameat2's RENAME_NOREPLACE: a hard
// link under the new name (which fails if that name exists) and then the old name removed.
// Declared here so that tests can run it on file systems that do know the flag.
std::optional<Failure> renameByLink(const std::string& from, const std::string& to);

}  // namespace zark
