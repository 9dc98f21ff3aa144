// TRegistrySection: opens a named subkey of a store for the length of a scope.
#pragma once

#include <windows.h>

#include "foundation/RegistryStore.h"

// The parent is opened through a copy, so a long-lived store (the global ones) never holds
// an open handle. An empty name gives the parent's own key. Both keys close on destruction,
// the section before the parent copy it was opened under.
// Readers open what exists: reading settings must leave no keys behind.
enum TSectionAccess { CreateMissing, OpenExisting };

class TRegistrySection {
public:
    TRegistrySection(const TRegistryStore& parent, const char* name, TSectionAccess access = CreateMissing);
    // A section of a section.
    TRegistrySection(const TRegistrySection& outer, const char* name, TSectionAccess access = CreateMissing);
    TRegistrySection(const TRegistrySection&) = delete;
    TRegistrySection& operator=(const TRegistrySection&) = delete;
    ~TRegistrySection();

    TRegistryStore& Store() { return usesParent ? parentCopy : section; }
    const TRegistryStore& Store() const { return usesParent ? parentCopy : section; }
    // 0 when both keys were created (or opened); otherwise the first error, and reads keep their defaults.
    LONG Result() const { return result; }

private:
    void Open(const char* name, TSectionAccess access);

    TRegistryStore parentCopy; // owns the handles it creates
    TRegistryStore section;    // owns its handle; its parent is borrowed from parentCopy
    bool usesParent;
    LONG result;
};
