#include "support/registry.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace windowtest {
namespace {

class Key {
public:
    Key(HKEY root, const std::wstring& path) {
        if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key_, nullptr) !=
            ERROR_SUCCESS)
            throw std::runtime_error("cannot open a registry key");
    }
    ~Key() { RegCloseKey(key_); }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    std::optional<RegistryValue::Data> get(const wchar_t* name) const {
        RegistryValue::Data data{0, std::vector<BYTE>(4096)};
        auto size = static_cast<DWORD>(data.bytes.size());
        if (RegQueryValueExW(key_, name, nullptr, &data.type, data.bytes.data(), &size) != ERROR_SUCCESS)
            return std::nullopt;
        data.bytes.resize(size);
        return data;
    }

    void set(const wchar_t* name, const std::optional<RegistryValue::Data>& data) const {
        LSTATUS status = ERROR_SUCCESS;
        if (data) {
            status =
                RegSetValueExW(key_, name, 0, data->type, data->bytes.data(), static_cast<DWORD>(data->bytes.size()));
        } else {
            status = RegDeleteValueW(key_, name);
            if (status == ERROR_FILE_NOT_FOUND) status = ERROR_SUCCESS;
        }
        if (status != ERROR_SUCCESS) throw std::runtime_error("cannot set a registry value");
    }

private:
    HKEY key_ = nullptr;
};

}  // namespace

RegistryValue::RegistryValue(HKEY root, const std::wstring& key, const wchar_t* name, const std::optional<Data>& data)
    : root_(root), key_(key), name_(name) {
    Key opened(root_, key_);
    previous_ = opened.get(name_);
    opened.set(name_, data);
}

RegistryValue::~RegistryValue() {
    try {
        Key(root_, key_).set(name_, previous_);
    } catch (const std::exception& error) {
        ADD_FAILURE() << error.what();
    }
}

RegistryValue::Data RegistryValue::text(const std::wstring& value) {
    const auto* bytes = reinterpret_cast<const BYTE*>(value.c_str());
    return {REG_SZ, std::vector<BYTE>(bytes, bytes + (value.size() + 1) * sizeof(wchar_t))};
}

RegistryValue::Data RegistryValue::number(DWORD value) {
    const auto* bytes = reinterpret_cast<const BYTE*>(&value);
    return {REG_DWORD, std::vector<BYTE>(bytes, bytes + sizeof value)};
}

HttpHandler::HttpHandler(const std::optional<std::wstring>& command)
    : value_(HKEY_CLASSES_ROOT, L"http\\shell\\open\\command", nullptr,
             command ? std::optional(RegistryValue::text(*command)) : std::nullopt) {}

namespace {

// Wine reads a program's own DLL settings here when it starts the program.
const std::wstring kLauncherOverrides = L"Software\\Wine\\AppDefaults\\ZARKLauncher.exe\\DllOverrides";

}  // namespace

DllPreferredNative::DllPreferredNative(const wchar_t* dll)
    : value_(HKEY_CURRENT_USER, kLauncherOverrides, dll, RegistryValue::text(L"native,builtin")) {}

}  // namespace windowtest
