// Registry values as tests write and read them, whatever their type and size: raw bytes
// under a key path of HKEY_CURRENT_USER (or another root), created as needed.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

struct TRawValue {
    DWORD type = REG_NONE;
    std::string bytes; // a text's bytes include its NUL
};

// A text as REG_SZ stores it, with its NUL.
inline std::string Sz(const std::string& text) { return std::string(text.c_str(), text.size() + 1); }

LONG SetRawValue(const std::string& key, const char* name, DWORD type, const std::string& bytes,
                 HKEY root = HKEY_CURRENT_USER);
bool GetRawValue(const std::string& key, const char* name, TRawValue& value, HKEY root = HKEY_CURRENT_USER);
// A value's text up to its first NUL; "" when it is missing.
std::string ReadText(const std::string& key, const char* name, HKEY root = HKEY_CURRENT_USER);
bool ValueExists(const std::string& key, const char* name, HKEY root = HKEY_CURRENT_USER);
void DeleteRawValue(const std::string& key, const char* name, HKEY root = HKEY_CURRENT_USER);
bool KeyExists(const std::string& key, HKEY root = HKEY_CURRENT_USER);
// A key's values in enumeration order, each name with its text (up to its first NUL).
std::vector<std::pair<std::string, std::string>> ValuesOf(const std::string& key, HKEY root = HKEY_CURRENT_USER);
