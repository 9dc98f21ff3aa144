// TRegistryMacroSource: macro values read from the registry, one key opened per value.
#pragma once

#include "foundation/Macros.h"

class TRegistryMacroSource : public TMacroSource {
public:
    THeapString ReadText(int root, const char* keyPath, const char* valueName) override;
};
