// SPDX-License-Identifier: MIT
#include "win32_registry.hpp"

#include <windows.h>

#include <string>

namespace vornikat::win32 {
namespace {

HKEY ToHkey(RegRoot root) {
    return root == RegRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

// A key opened for reading, closed when it goes.
struct ReadKey {
    HKEY key = nullptr;
    LONG result;
    ReadKey(RegRoot root, std::string_view path)
        : result(RegOpenKeyExA(ToHkey(root), std::string(path).c_str(), 0, KEY_READ, &key)) {}
    ~ReadKey() {
        if (result == ERROR_SUCCESS) {
            RegCloseKey(key);
        }
    }
    ReadKey(const ReadKey&) = delete;
    ReadKey& operator=(const ReadKey&) = delete;
};

}  // namespace

long Win32Registry::ProbeKey(RegRoot root, std::string_view path) {
    HKEY opened = nullptr;
    const LONG result = RegOpenKeyA(ToHkey(root), std::string(path).c_str(), &opened);
    if (result == ERROR_SUCCESS) {
        RegCloseKey(opened);
    }
    return result;
}

RegRead Win32Registry::ReadValue(RegRoot root, std::string_view path, std::string_view name) {
    const ReadKey key(root, path);
    if (key.result != ERROR_SUCCESS) {
        return {key.result, {}};
    }
    const std::string valueName(name);
    RegRead read;
    // The value may grow between asking its size and reading it: ask again then.
    for (LONG result = ERROR_MORE_DATA; result == ERROR_MORE_DATA;) {
        DWORD type = 0;
        DWORD size = 0;
        result = RegQueryValueExA(key.key, valueName.c_str(), nullptr, &type, nullptr, &size);
        if (result == ERROR_SUCCESS) {
            read.value.data.resize(size);
            result = RegQueryValueExA(key.key, valueName.c_str(), nullptr, &type,
                                      size == 0 ? nullptr : read.value.data.data(), &size);
            read.value.data.resize(size);
        }
        read.result = result;
        read.value.type = type;
    }
    return read;
}

long Win32Registry::WriteValue(RegRoot root, std::string_view path, std::string_view name,
                               const RegValue& value) {
    HKEY key = nullptr;
    LONG result = RegCreateKeyA(ToHkey(root), std::string(path).c_str(), &key);
    if (result == ERROR_SUCCESS) {
        result = RegSetValueExA(key, std::string(name).c_str(), 0, value.type, value.data.data(),
                                static_cast<DWORD>(value.data.size()));
        RegCloseKey(key);
    }
    return result;
}

}  // namespace vornikat::win32
