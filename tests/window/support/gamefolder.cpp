#include "support/gamefolder.h"

#include "support/launcher.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

namespace windowtest {
namespace {

std::wstring widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

std::string narrow(const std::wstring& ascii)
{
    std::string result;
    for (wchar_t c : ascii) result += static_cast<char>(c);
    return result;
}

[[noreturn]] void fail(const std::string& what)
{
    throw std::runtime_error(what + " (error " + std::to_string(GetLastError()) + ")");
}

class Search {
public:
    Search(const std::wstring& pattern, WIN32_FIND_DATAW& found) : handle_(FindFirstFileW(pattern.c_str(), &found)) {}
    ~Search()
    {
        if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
    }
    Search(const Search&) = delete;
    Search& operator=(const Search&) = delete;

    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

// The names of the files in a folder, without its subfolders.
std::vector<std::wstring> filesIn(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    const Search search(folder + L"\\*", found);
    if (search.get() == INVALID_HANDLE_VALUE) fail("cannot list " + narrow(folder));
    std::vector<std::wstring> names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileW(search.get(), &found));
    return names;
}

}  // namespace

GameFolder::GameFolder()
{
    static std::atomic<int> counter{0};
    wchar_t temp[MAX_PATH];
    if (GetTempPathW(MAX_PATH, temp) == 0) fail("GetTempPathW");
    path_ = std::wstring(temp) + L"zark-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter);
    if (!CreateDirectoryW(path_.c_str(), nullptr)) fail("CreateDirectoryW " + narrow(path_));
}

GameFolder::~GameFolder()
{
    for (const std::wstring& name : filesIn(path_)) {
        const std::wstring file = path_ + L"\\" + name;
        SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!DeleteFileW(file.c_str())) ADD_FAILURE() << "cannot delete " << narrow(file);
    }
    if (!RemoveDirectoryW(path_.c_str())) ADD_FAILURE() << "cannot remove " << narrow(path_);
}

std::wstring GameFolder::pathOf(const std::string& name) const { return path_ + L"\\" + widen(name); }

void GameFolder::write(const std::string& name, const std::string& bytes) const
{
    HANDLE file = CreateFileW(pathOf(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) fail("cannot create " + name);
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != bytes.size()) fail("cannot write " + name);
}

std::optional<std::string> GameFolder::read(const std::string& name) const
{
    // Shared for deletion too, so that polling the folder never makes a rename of the
    // launcher fail.
    HANDLE file = CreateFileW(pathOf(name).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

bool GameFolder::exists(const std::string& name) const
{
    return GetFileAttributesW(pathOf(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void GameFolder::remove(const std::string& name) const
{
    if (!DeleteFileW(pathOf(name).c_str())) fail("cannot delete " + name);
}

FILETIME GameFolder::modified(const std::string& name) const
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(pathOf(name).c_str(), GetFileExInfoStandard, &data))
        fail("cannot stat " + name);
    return data.ftLastWriteTime;
}

FolderContents GameFolder::contents() const
{
    FolderContents contents;
    for (const std::wstring& file : filesIn(path_)) {
        const std::string name = narrow(file);
        contents[name] = read(name).value_or("<unreadable>");
    }
    return contents;
}

void layOutGame(const GameFolder& folder, const std::string& base, const std::string& expansion)
{
    const std::wstring start = onDriveZ(ZARK_GAME_TEMPLATE);
    for (const std::wstring& name : filesIn(start)) {
        if (!CopyFileW((start + L"\\" + name).c_str(), folder.pathOf(narrow(name)).c_str(), TRUE))
            fail("cannot copy " + narrow(name) + " of the starting game folder");
    }
    folder.write("zarkdata.dat", base);
    folder.write("zarkdata2.dat", expansion);
}

}  // namespace windowtest
