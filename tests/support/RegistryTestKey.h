// TRegistryTestKey: a throwaway key under HKEY_CURRENT_USER that deletes itself, with raw access.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "foundation/RegistryStore.h"

class TRegistryTestKey {
public:
    TRegistryTestKey()
    {
        static int serial = 0;
        char unique[64];
        std::snprintf(unique, sizeof unique, "%lu_%lu_%d", static_cast<unsigned long>(GetCurrentProcessId()),
                      static_cast<unsigned long>(GetTickCount()), ++serial);
        path = std::string(ContainerPath) + "\\" + unique;
        RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
    }
    ~TRegistryTestKey() { Remove(); }
    TRegistryTestKey(const TRegistryTestKey&) = delete;
    TRegistryTestKey& operator=(const TRegistryTestKey&) = delete;

    // Deletes the whole tree, then the containers if nothing else is left in them.
    void Remove()
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
        if (DeleteIfEmpty(ContainerPath)) DeleteIfEmpty(MakerPath);
    }

    // The full path below HKEY_CURRENT_USER of a subkey ("" for the key itself).
    std::string Path(const std::string& relative = "") const
    {
        return relative.empty() ? path : path + "\\" + relative;
    }

    // An unopened one-entry store on a subkey.
    TRegistryStore Store(const std::string& relative = "") const
    {
        return TRegistryStore{{nullptr, HKEY_CURRENT_USER, Path(relative).c_str()}};
    }

    bool KeyExists(const std::string& relative = "") const
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, Path(relative).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }

    LONG SetRaw(const std::string& relative, const char* name, DWORD type, const void* data, DWORD size) const
    {
        HKEY key = nullptr;
        LONG result = RegCreateKeyExA(HKEY_CURRENT_USER, Path(relative).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                      nullptr, &key, nullptr);
        if (result != ERROR_SUCCESS) return result;
        result = RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
        return result;
    }

    // The stored bytes of a value, or false when the key or value is missing.
    bool GetRaw(const std::string& relative, const char* name, DWORD& type, std::string& bytes) const
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, Path(relative).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        DWORD size = 0;
        LONG result = RegQueryValueExA(key, name, nullptr, &type, nullptr, &size);
        if (result == ERROR_SUCCESS) {
            bytes.assign(size, '\0');
            result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&bytes[0]), &size);
            bytes.resize(size);
        }
        RegCloseKey(key);
        return result == ERROR_SUCCESS;
    }

    // A subkey's values in enumeration order, each name with its data as text (up to its first NUL).
    std::vector<std::pair<std::string, std::string>> Values(const std::string& relative) const
    {
        std::vector<std::pair<std::string, std::string>> values;
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, Path(relative).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
        DWORD longestName = 0, longestData = 0;
        RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longestName, &longestData,
                         nullptr, nullptr);
        std::string name(longestName + 1, '\0'), data(longestData + 1, '\0');
        for (DWORD i = 0;; ++i) {
            DWORD nameSize = static_cast<DWORD>(name.size()), dataSize = static_cast<DWORD>(data.size());
            if (RegEnumValueA(key, i, &name[0], &nameSize, nullptr, nullptr, reinterpret_cast<BYTE*>(&data[0]),
                              &dataSize) != ERROR_SUCCESS)
                break;
            const auto end = std::find(data.begin(), data.begin() + dataSize, '\0');
            values.emplace_back(name.substr(0, nameSize), std::string(data.begin(), end));
        }
        RegCloseKey(key);
        return values;
    }

    static constexpr const char* MakerPath = "Software\\Orvik";
    static constexpr const char* ContainerPath = "Software\\Orvik\\KelvaneTest";

private:
    static bool DeleteIfEmpty(const char* keyPath)
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        DWORD subkeys = 1, values = 1;
        RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                         nullptr, nullptr);
        RegCloseKey(key);
        return subkeys == 0 && values == 0 && RegDeleteKeyA(HKEY_CURRENT_USER, keyPath) == ERROR_SUCCESS;
    }

    std::string path;
};
