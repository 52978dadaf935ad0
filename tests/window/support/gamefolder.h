// A temporary game folder for one test: the launcher's working directory, removed afterwards.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace windowtest {

// Name → bytes of every file in a folder but the switch lock's; compared whole to prove that
// nothing changed.
using FolderContents = std::map<std::string, std::string>;

// Pairs of names: from, to.
using Renames = std::vector<std::pair<std::string, std::string>>;

// The contents after the renames, in order: each file keeps its bytes under its new name.
FolderContents renamed(FolderContents contents, const Renames& renames);

class GameFolder {
public:
    // An empty folder of its own under %TEMP%.
    GameFolder();
    // Removes the folder with everything in it; the programs using it must have ended.
    ~GameFolder();
    GameFolder(const GameFolder&) = delete;
    GameFolder& operator=(const GameFolder&) = delete;

    const std::wstring& path() const { return path_; }
    std::wstring pathOf(const std::string& name) const;

    void write(const std::string& name, const std::string& bytes) const;
    // Reading a store file while the launcher switches makes the switch fail, since Wine does
    // not replace a file that is open: read once the pictures show that the switch is done.
    std::optional<std::string> read(const std::string& name) const;
    bool exists(const std::string& name) const;
    void remove(const std::string& name) const;
    FILETIME modified(const std::string& name) const;
    FolderContents contents() const;  // reads every file, as read() does
    // Removes the folder and makes it anew with the same files, as a network or removable drive
    // that went away and came back: a new folder under the old name.
    void removeAndPutBack() const;

private:
    std::wstring path_;
};

// Removes the game folders that earlier runs left behind, as a crashed run does, and nothing
// else in %TEMP%; called while this run holds none.
void removeLeftoverGameFolders();

// A freshly installed modification, copied from the starting game folder that the scripts use
// too: the two store files, here with the given bytes, and the three zark rule files, each
// holding a line that names it so that a wrong rename shows.
void layOutGame(const GameFolder& folder, const std::string& base = "2\r\n", const std::string& expansion = "2\r\n");

}  // namespace windowtest
