// Raw registry values: one open key per call, closed again at once.
#include "support/RegistryValues.h"

#include <shlwapi.h>

#include <algorithm>

namespace {

std::string UpToNul(const std::string& bytes) { return bytes.substr(0, bytes.find('\0')); }

} // namespace

LONG SetRawValue(const std::string& key, const char* name, DWORD type, const std::string& bytes, HKEY root)
{
    HKEY handle = nullptr;
    LONG result = RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr);
    if (result != ERROR_SUCCESS) return result;
    result = RegSetValueExA(handle, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                            static_cast<DWORD>(bytes.size()));
    RegCloseKey(handle);
    return result;
}

bool GetRawValue(const std::string& key, const char* name, TRawValue& value, HKEY root)
{
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    DWORD size = 0;
    LONG result = RegQueryValueExA(handle, name, nullptr, &value.type, nullptr, &size);
    if (result == ERROR_SUCCESS) {
        value.bytes.assign(size, '\0');
        result = RegQueryValueExA(handle, name, nullptr, &value.type, reinterpret_cast<BYTE*>(&value.bytes[0]), &size);
        value.bytes.resize(size);
    }
    RegCloseKey(handle);
    return result == ERROR_SUCCESS;
}

std::string ReadText(const std::string& key, const char* name, HKEY root)
{
    TRawValue value;
    return GetRawValue(key, name, value, root) ? UpToNul(value.bytes) : std::string();
}

bool ValueExists(const std::string& key, const char* name, HKEY root)
{
    TRawValue value;
    return GetRawValue(key, name, value, root);
}

void DeleteRawValue(const std::string& key, const char* name, HKEY root)
{
    SHDeleteValueA(root, key.c_str(), name);
}

bool KeyExists(const std::string& key, HKEY root)
{
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    RegCloseKey(handle);
    return true;
}

std::vector<std::pair<std::string, std::string>> ValuesOf(const std::string& key, HKEY root)
{
    std::vector<std::pair<std::string, std::string>> values;
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return values;
    DWORD longestName = 0, longestData = 0;
    RegQueryInfoKeyA(handle, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longestName, &longestData,
                     nullptr, nullptr);
    std::string name(longestName + 1, '\0'), data(longestData + 1, '\0');
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = static_cast<DWORD>(name.size()), dataSize = static_cast<DWORD>(data.size());
        if (RegEnumValueA(handle, i, &name[0], &nameSize, nullptr, nullptr, reinterpret_cast<BYTE*>(&data[0]),
                          &dataSize) != ERROR_SUCCESS)
            break;
        values.emplace_back(name.substr(0, nameSize), UpToNul(data.substr(0, dataSize)));
    }
    RegCloseKey(handle);
    return values;
}
