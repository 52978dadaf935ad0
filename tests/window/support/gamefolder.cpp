#include "support/gamefolder.h"

#include "support/handles.h"
#include "support/launcher.h"
#include "support/unixside.h"

#include "switching/winstrings.h"
#include <gtest/gtest.h>

#include <atomic>
#include <regex>
#include <stdexcept>
#include <vector>

namespace windowtest {
namespace {

using zark::narrow;
using zark::widen;

[[noreturn]] void fail(const std::string& what) {
    throw std::runtime_error(what + " (error " + std::to_string(GetLastError()) + ")");
}

class Search {
public:
    Search(const std::wstring& pattern, WIN32_FIND_DATAW& found) : handle_(FindFirstFileW(pattern.c_str(), &found)) {}
    ~Search() {
        if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
    }
    Search(const Search&) = delete;
    Search& operator=(const Search&) = delete;

    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

enum class Entries { Files, Folders };

// The names of a folder's files, or of its subfolders, that match `pattern`.
std::vector<std::wstring> namesIn(const std::wstring& folder, Entries entries, const wchar_t* pattern = L"*") {
    WIN32_FIND_DATAW found;
    const Search search(folder + L"\\" + pattern, found);
    if (search.get() == INVALID_HANDLE_VALUE) {
        if (GetLastError() == ERROR_FILE_NOT_FOUND) return {};
        fail("cannot list " + narrow(folder));
    }
    std::vector<std::wstring> names;
    do {
        const std::wstring name = found.cFileName;
        const bool isFolder = found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        if (name == L"." || name == L".." || isFolder != (entries == Entries::Folders)) continue;
        names.push_back(name);
    } while (FindNextFileW(search.get(), &found));
    return names;
}

std::vector<std::wstring> filesIn(const std::wstring& folder) { return namesIn(folder, Entries::Files); }

// Deletes the files of a folder and then the folder; what cannot be deleted fails the test.
void removeFolder(const std::wstring& folder) {
    try {
        for (const std::wstring& name : filesIn(folder)) {
            const std::wstring file = folder + L"\\" + name;
            SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!DeleteFileW(file.c_str())) ADD_FAILURE() << "cannot delete " << narrow(file);
        }
    } catch (const std::exception& error) {
        ADD_FAILURE() << error.what();
    }
    if (!RemoveDirectoryW(folder.c_str())) ADD_FAILURE() << "cannot remove " << narrow(folder);
}

std::wstring tempFolder() {
    wchar_t temp[MAX_PATH];
    const DWORD length = GetTempPathW(MAX_PATH, temp);
    if (length == 0 || length >= MAX_PATH) fail("GetTempPathW");
    return temp;
}

// Game folders are named zark-<process id>-<number>.
const wchar_t* const kNamePattern = L"zark-*-*";
const std::wregex kName(L"zark-[0-9]+-[0-9]+");

}  // namespace

// Wine gives the tests one of the same few process ids on every run, so a folder that an
// earlier run left behind may hold the name: the next number is taken then.
GameFolder::GameFolder() {
    static std::atomic<int> counter{0};
    const std::wstring stem = tempFolder() + L"zark-" + std::to_wstring(GetCurrentProcessId()) + L"-";
    for (;;) {
        path_ = stem + std::to_wstring(++counter);
        if (CreateDirectoryW(path_.c_str(), nullptr)) return;
        if (GetLastError() != ERROR_ALREADY_EXISTS) fail("CreateDirectoryW " + narrow(path_));
    }
}

GameFolder::~GameFolder() { removeFolder(path_); }

FolderContents renamed(FolderContents contents, const Renames& renames) {
    for (const auto& [from, to] : renames) {
        contents[to] = contents.at(from);
        contents.erase(from);
    }
    return contents;
}

std::wstring GameFolder::pathOf(const std::string& name) const { return path_ + L"\\" + widen(name); }

void GameFolder::write(const std::string& name, const std::string& bytes) const {
    // Shared, since the launcher may be reading a store at that moment: it shares everything.
    Handle file(CreateFileW(pathOf(name).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) fail("cannot create " + name);
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size() || !file.close())
        fail("cannot write " + name);
}

std::optional<std::string> GameFolder::read(const std::string& name) const {
    // Shared for deletion too, so that a rule file that the launcher renames may be open.
    const Handle file(CreateFileW(pathOf(name).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    return bytes;
}

bool GameFolder::exists(const std::string& name) const {
    return GetFileAttributesW(pathOf(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void GameFolder::remove(const std::string& name) const {
    if (!DeleteFileW(pathOf(name).c_str())) fail("cannot delete " + name);
}

FILETIME GameFolder::modified(const std::string& name) const {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(pathOf(name).c_str(), GetFileExInfoStandard, &data)) fail("cannot stat " + name);
    return data.ftLastWriteTime;
}

FolderContents GameFolder::contents() const {
    FolderContents contents;
    for (const std::wstring& file : filesIn(path_)) {
        const std::string name = narrow(file);
        // The switch lock's file comes with the first switch and stays, empty.
        if (name == "zarkdata.lock") continue;
        contents[name] = read(name).value_or("<unreadable>");
    }
    return contents;
}

// A folder that a program works in cannot be removed by another program, under Wine as on
// Windows; the system underneath it can, as a drive that goes away does.
void GameFolder::removeAndPutBack() const {
    const std::string folder = unixPath(path_);
    runUnixShell("mv " + folder + " " + folder + ".away && mkdir " + folder + " && cp -p " + folder + ".away/* " +
                 folder + "/ && rm -r " + folder + ".away");
}

void removeLeftoverGameFolders() {
    const std::wstring temp = tempFolder();
    for (const std::wstring& name : namesIn(temp, Entries::Folders, kNamePattern)) {
        if (std::regex_match(name, kName)) removeFolder(temp + name);
    }
}

void layOutGame(const GameFolder& folder, const std::string& base, const std::string& expansion) {
    const std::wstring start = onDriveZ(ZARK_GAME_TEMPLATE);
    for (const std::wstring& name : filesIn(start)) {
        if (!CopyFileW((start + L"\\" + name).c_str(), folder.pathOf(narrow(name)).c_str(), TRUE))
            fail("cannot copy " + narrow(name) + " of the starting game folder");
    }
    folder.write("zarkdata.dat", base);
    folder.write("zarkdata2.dat", expansion);
}

}  // namespace windowtest
