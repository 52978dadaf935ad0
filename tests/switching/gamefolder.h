// Game folders as the tests lay them out: the two stores and the rule files under the names
// that a test gives them.
#pragma once

#include "tempfolder.h"

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zark::test {

// A rule file: its names while its variants are inactive and while one is active.
struct RuleNames {
    std::string zarkName;
    std::string gameName;
};
inline const RuleNames kFirestorm{"zarkfirestrm.ini", "firestrm.ini"};
inline const RuleNames kRules{"zarkrules.ini", "rules.ini"};
inline const RuleNames kArt{"zarkart.ini", "art.ini"};

inline const std::vector<std::string> kAllInactive{"zarkrules.ini", "zarkart.ini", "zarkfirestrm.ini"};
inline const std::vector<std::string> kBaseActive{"rules.ini", "art.ini", "zarkfirestrm.ini"};
inline const std::vector<std::string> kFsActive{"rules.ini", "art.ini", "firestrm.ini"};

// A game folder, by name and content: the two stores (none where not given) and each of `names`.
// A rule file holds a line with its zark name under either of its names, so that it keeps its
// identity across renames; any other file a line with its own name. A name that ends in "/"
// stands for a folder, and "name -> target" for a symbolic link: `create` makes them so.
inline Snapshot gameFolder(const std::optional<std::string>& base, const std::optional<std::string>& exp,
                           const std::vector<std::string>& names) {
    Snapshot folder;
    if (base) folder["zarkdata.dat"] = *base;
    if (exp) folder["zarkdata2.dat"] = *exp;
    for (const std::string& name : names) {
        std::string identity = name;
        for (const RuleNames* file : {&kFirestorm, &kRules, &kArt}) {
            if (name == file->gameName) identity = file->zarkName;
        }
        folder[name] = "; " + identity + "\r\n";
    }
    return folder;
}

// Pairs of names: from, to.
using Renames = std::vector<std::pair<std::string, std::string>>;

// The folder after the renames, in order: each file keeps its bytes under its new name.
inline Snapshot renamed(Snapshot folder, const Renames& renames) {
    for (const auto& [from, to] : renames) {
        folder[to] = folder.at(from);
        folder.erase(from);
    }
    return folder;
}

// Makes the game folder in the working folder.
inline void create(const Snapshot& folder) {
    for (const auto& [name, bytes] : folder) {
        const std::size_t arrow = name.find(" -> ");
        if (arrow != std::string::npos) {
            std::filesystem::create_symlink(name.substr(arrow + 4), name.substr(0, arrow));
        } else if (name.back() == '/') {
            std::filesystem::create_directory(name);
        } else {
            writeFile(name, bytes);
        }
    }
}

}  // namespace zark::test
