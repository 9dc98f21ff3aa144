// TRegistryTestKey: a throwaway key under HKEY_CURRENT_USER that deletes itself, with raw access.
#pragma once

#include <windows.h>
#include <shlwapi.h>

#include <cstdio>
#include <string>

#include "foundation/RegistryStore.h"
#include "support/RegistryValues.h"

class TRegistryTestKey {
public:
    TRegistryTestKey()
    {
        static int serial = 0;
        char unique[64];
        std::snprintf(unique, sizeof unique, "%lu_%lu_%d", static_cast<unsigned long>(GetCurrentProcessId()),
                      static_cast<unsigned long>(GetTickCount()), ++serial);
        path = std::string(ContainerPath) + "\\" + unique;
        SHDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
    }
    ~TRegistryTestKey() { Remove(); }
    TRegistryTestKey(const TRegistryTestKey&) = delete;
    TRegistryTestKey& operator=(const TRegistryTestKey&) = delete;

    // Deletes the whole tree, then the containers if nothing else is left in them.
    void Remove()
    {
        SHDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
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

    bool KeyExists(const std::string& relative = "") const { return ::KeyExists(Path(relative)); }

    LONG SetRaw(const std::string& relative, const char* name, DWORD type, const void* data, DWORD size) const
    {
        return SetRawValue(Path(relative), name, type, std::string(static_cast<const char*>(data), size));
    }

    // The stored type and bytes of a value, or false when the key or value is missing.
    bool Get(const std::string& relative, const char* name, TRawValue& value) const
    {
        return GetRawValue(Path(relative), name, value);
    }

    // A subkey's values in enumeration order, each name with its data as text (up to its first NUL).
    std::vector<std::pair<std::string, std::string>> Values(const std::string& relative) const
    {
        return ValuesOf(Path(relative));
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
