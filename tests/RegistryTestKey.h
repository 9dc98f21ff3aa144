// TRegistryTestKey: a throwaway key under HKEY_CURRENT_USER that deletes itself, with raw access.
#pragma once

#include <windows.h>
#include <shlwapi.h>

#include <cstdio>
#include <string>

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
