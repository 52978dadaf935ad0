// Settings of the Wine prefix's registry, replaced for one test.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace windowtest {

// A registry value set (or removed, for none) for the life of the object, then put back as it
// was: with its old type and bytes, or removed if there was none. `name` is a literal, or null
// for the key's default value.
class RegistryValue {
public:
    struct Data {
        DWORD type;
        std::vector<BYTE> bytes;
    };

    RegistryValue(HKEY root, const std::wstring& key, const wchar_t* name, const std::optional<Data>& data);
    ~RegistryValue();
    RegistryValue(const RegistryValue&) = delete;
    RegistryValue& operator=(const RegistryValue&) = delete;

    static Data text(const std::wstring& value);
    static Data number(DWORD value);

private:
    HKEY root_;
    std::wstring key_;
    const wchar_t* name_;
    std::optional<Data> previous_;
};

// The shell's handler of http addresses: `command` as the open command, none removes it. Wine's
// shell looks it up in the machine's classes only, not merged with the user's own.
class HttpHandler {
public:
    explicit HttpHandler(const std::optional<std::wstring>& command);

private:
    RegistryValue value_;
};

// A DLL that Wine loads for ZARKLauncher.exe from the folders that the program searches before
// its own copy, as Windows does for any DLL outside its protected list.
class DllPreferredNative {
public:
    explicit DllPreferredNative(const wchar_t* dll);

private:
    RegistryValue value_;
};

}  // namespace windowtest
