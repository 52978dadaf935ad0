#include "support/registry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>

namespace windowtest {
namespace {

// Wine's shell looks the handler up here only: the user's own classes are not merged in.
constexpr const wchar_t* kCommandKey = L"http\\shell\\open\\command";

class Key {
public:
    Key()
    {
        if (RegCreateKeyExW(HKEY_CLASSES_ROOT, kCommandKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key_,
                            nullptr) != ERROR_SUCCESS)
            throw std::runtime_error("cannot open the http open command key");
    }
    ~Key() { RegCloseKey(key_); }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    std::optional<std::wstring> command() const
    {
        wchar_t value[1024];
        DWORD size = sizeof value;
        DWORD type = 0;
        if (RegQueryValueExW(key_, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ))
            return std::nullopt;
        return std::wstring(value, size / sizeof(wchar_t)).c_str();
    }

    void set(const std::optional<std::wstring>& command) const
    {
        LSTATUS status = ERROR_SUCCESS;
        if (command) {
            status = RegSetValueExW(key_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command->c_str()),
                                    static_cast<DWORD>((command->size() + 1) * sizeof(wchar_t)));
        } else {
            status = RegDeleteValueW(key_, nullptr);
            if (status == ERROR_FILE_NOT_FOUND) status = ERROR_SUCCESS;
        }
        if (status != ERROR_SUCCESS) throw std::runtime_error("cannot set the http open command");
    }

private:
    HKEY key_ = nullptr;
};

// Wine reads a program's own DLL settings here when it starts the program.
constexpr const wchar_t* kLauncherOverrides = L"Software\\Wine\\AppDefaults\\ZARKLauncher.exe\\DllOverrides";

}  // namespace

NativeDllsPreferred::NativeDllsPreferred(const std::vector<std::wstring>& names)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kLauncherOverrides, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        throw std::runtime_error("cannot create the launcher's DLL overrides");
    const std::wstring nativeFirst = L"native,builtin";
    LSTATUS status = ERROR_SUCCESS;
    for (const std::wstring& name : names) {
        if (status == ERROR_SUCCESS)
            status = RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(nativeFirst.c_str()),
                                    static_cast<DWORD>((nativeFirst.size() + 1) * sizeof(wchar_t)));
    }
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) throw std::runtime_error("cannot set the launcher's DLL overrides");
}

NativeDllsPreferred::~NativeDllsPreferred()
{
    const LSTATUS status = RegDeleteKeyW(HKEY_CURRENT_USER, kLauncherOverrides);
    if (status != ERROR_SUCCESS) ADD_FAILURE() << "cannot remove the launcher's DLL overrides (" << status << ")";
}

HttpHandler::HttpHandler(const std::optional<std::wstring>& command)
{
    Key key;
    previous_ = key.command();
    key.set(command);
}

HttpHandler::~HttpHandler()
{
    try {
        Key().set(previous_);
    } catch (const std::exception& error) {
        ADD_FAILURE() << error.what();
    }
}

}  // namespace windowtest
