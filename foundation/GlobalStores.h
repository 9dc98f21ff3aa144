// The two process-wide stores: the application's key and the library's shared key.
#pragma once

#include "foundation/RegistryStore.h"

// Under HKEY_CURRENT_USER; settings shared by every program of the library.
extern const char LibraryKeyPath[];

// The process entry creates them before the application runs and destroys them after.
// Until then (and afterwards) they are empty stores: reads fail and defaults stay.
void CreateGlobalStores(const char* appKeyPath);
void DestroyGlobalStores();

// Never opened themselves: open a copy, e.g. through TRegistrySection.
const TRegistryStore& ApplicationStore();
const TRegistryStore& LibraryStore();
