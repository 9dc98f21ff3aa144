// TRegistrySection: the parent copy and the one-entry section store, opened and closed together.
#include "foundation/RegistrySection.h"

TRegistrySection::TRegistrySection(const TRegistryStore& parent, const char* name)
    : parentCopy(parent), usesParent(!name || !*name), result(ERROR_SUCCESS)
{
    Open(name);
}

TRegistrySection::TRegistrySection(const TRegistrySection& outer, const char* name)
    : TRegistrySection(outer.Store(), name)
{
}

TRegistrySection::~TRegistrySection()
{
    section.CloseKeys();
    parentCopy.CloseKeys();
}

void TRegistrySection::Open(const char* name)
{
    result = parentCopy.CreateKeys(0);
    if (usesParent) return;
    section.AddKey(nullptr, parentCopy.FirstHandle(), name);
    LONG sectionResult = section.CreateKeys(0);
    if (result == ERROR_SUCCESS) result = sectionResult;
}
