// The process-wide icon caches: one source per key and kind, kept until the process ends.
#pragma once

#include "foundation/IconSource.h"

// Every lookup answers a source owned by its cache (never null); the source's icons are
// loaded on first use. ReleaseIconCaches (run by the process teardown) ends them all.

TIconSource* SystemIconSource(LPCSTR id);            // IDI_* (MAKEINTRESOURCE)
TIconSource* IconByName(const char* resourceName);   // program resource icon, first list
TIconSource* IconByName2(const char* resourceName);  // the second program-resource list
TIconSource* IconFromFile(const char* path);         // an ".ico" file
TIconSource* ModuleIcon(const char* modulePath, int index); // index-th icon group; -n: resource id n
TIconSource* FileTypeIcon(const char* path);         // what the shell shows for the path

// The registered icon of a file's type; folders, drives and unregistered types take the
// shell's icon, a program without icons IDI_APPLICATION.
TIconSource* IconForFile(const char* path);
// The registered icon of a type name under HKEY_CLASSES_ROOT, or IDI_WINLOGO.
TIconSource* IconForClass(const char* typeName);

// The source every other one falls back on: the cached system icon IDI_WINLOGO.
TIconSource* LastResortIconSource();

// Destroys every cached icon and frees every module loaded for icons.
void ReleaseIconCaches();
