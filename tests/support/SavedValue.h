// TSavedValue: one registry value a test changes, put back as it was (or removed again, when
// there was none) at the end of the scope.
#pragma once

#include "support/RegistryValues.h"

class TSavedValue {
public:
    // An empty name is the key's default value.
    TSavedValue(const std::string& key, const char* name, HKEY root = HKEY_CURRENT_USER)
        : key(key), name(name), root(root), had(GetRawValue(key, name, saved, root))
    {
    }
    ~TSavedValue()
    {
        if (had)
            SetRawValue(key, name.c_str(), saved.type, saved.bytes, root);
        else
            DeleteRawValue(key, name.c_str(), root);
    }
    TSavedValue(const TSavedValue&) = delete;
    TSavedValue& operator=(const TSavedValue&) = delete;

    // Sets the value to a text, or removes it for null.
    void SetText(const char* text) const
    {
        if (text)
            SetRawValue(key, name.c_str(), REG_SZ, Sz(text), root);
        else
            DeleteRawValue(key, name.c_str(), root);
    }

    void SetDword(DWORD value) const
    {
        SetRawValue(key, name.c_str(), REG_DWORD, std::string(reinterpret_cast<const char*>(&value), sizeof value), root);
    }

private:
    std::string key, name;
    HKEY root;
    TRawValue saved;
    bool had;
};
