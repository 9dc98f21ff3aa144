// TRegistrySection: the parent copy and the one-entry section store, opened and closed together.
#include "foundation/RegistrySection.h"

TRegistrySection::TRegistrySection(const TRegistryStore& parent, const char* name, TSectionAccess access)
    : parentCopy(parent), usesParent(!name || !*name), result(ERROR_SUCCESS)
{
    Open(name, access);
}

TRegistrySection::TRegistrySection(const TRegistrySection& outer, const char* name, TSectionAccess access)
    : TRegistrySection(outer.Store(), name, access)
{
}

TRegistrySection::~TRegistrySection()
{
    section.CloseKeys();
    parentCopy.CloseKeys();
}

void TRegistrySection::Open(const char* name, TSectionAccess access)
{
    const bool create = access == CreateMissing;
    result = create ? parentCopy.CreateKeys(0) : parentCopy.OpenKeys();
    if (usesParent) return;
    section.AddKey(nullptr, parentCopy.FirstHandle(), name);
    LONG sectionResult = create ? section.CreateKeys(0) : section.OpenKeys();
    if (result == ERROR_SUCCESS) result = sectionResult;
}
