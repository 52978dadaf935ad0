#pragma once

namespace zark {

// What a name in the game folder is: nothing, a plain file, a folder, a symbolic link (on
// Windows any reparse point, a junction too), or something else (a device, a pipe, a socket).
enum class EntryKind { None, File, Folder, Link, Other };

// What an entry that should be a plain file is instead.
inline const char* NotAFile(EntryKind kind) {
    switch (kind) {
    case EntryKind::Folder: return "a folder, not a file";
    case EntryKind::Link: return "a symbolic link, not a file";
    case EntryKind::None:
    case EntryKind::File:
    case EntryKind::Other: break;
    }
    return "not a plain file";
}

}  // namespace zark
