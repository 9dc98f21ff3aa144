// TRegistryMacroSource and the expansions against the registry and the local clock.
#include "foundation/MacroSources.h"

#include <windows.h>

#include "foundation/Handles.h"
#include "foundation/RegistryStore.h"

static_assert(int{MacroRootLocalMachine} == int{RootLocalMachine} && int{MacroRootCurrentUser} == int{RootCurrentUser},
              "macro roots use the registry store's numbering");

// The machine's keys are read-only for most users, so the key is opened for reading
// rather than through the store's full-access open; the store then reads through it.
THeapString TRegistryMacroSource::ReadText(int root, const char* keyPath, const char* valueName)
{
    const HKEY parent = PredefinedRoot(root);
    HKEY opened = nullptr;
    if (!parent || RegOpenKeyExA(parent, keyPath, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return THeapString();
    TOwnedKey key(opened);
    THeapString text;
    const TRegistryStore store{{key, parent, keyPath}}; // borrows the handle
    store.ReadString(valueName, text);
    return text;
}

THeapString ExpandMacros(const char* text)
{
    TRegistryMacroSource registry;
    return ExpandMacros(text, registry);
}

THeapString ExpandAll(const char* text)
{
    TRegistryMacroSource registry;
    SYSTEMTIME now; // one reading, so the date and the time belong together
    GetLocalTime(&now);
    const TDate date = {now.wYear, now.wMonth, now.wDay};
    const TTime time = {1, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
    return ExpandAll(text, date, time, registry);
}
