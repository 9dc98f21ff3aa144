// The process-wide stores, each a single unopened entry under HKEY_CURRENT_USER.
#include "foundation/GlobalStores.h"

const char LibraryKeyPath[] = "Software\\Orvik\\VantryLibrary\\";

namespace {

TRegistryStore& ApplicationStoreObject()
{
    static TRegistryStore store;
    return store;
}

TRegistryStore& LibraryStoreObject()
{
    static TRegistryStore store;
    return store;
}

} // namespace

void CreateGlobalStores(const char* appKeyPath)
{
    DestroyGlobalStores();
    ApplicationStoreObject().AddKey(nullptr, PredefinedRoot(RootCurrentUser), appKeyPath);
    LibraryStoreObject().AddKey(nullptr, PredefinedRoot(RootCurrentUser), LibraryKeyPath);
}

void DestroyGlobalStores()
{
    ApplicationStoreObject().RemoveAll();
    LibraryStoreObject().RemoveAll();
}

const TRegistryStore& ApplicationStore() { return ApplicationStoreObject(); }

const TRegistryStore& LibraryStore() { return LibraryStoreObject(); }
