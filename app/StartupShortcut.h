// StartupShortcut: the shortcut in the user's start-up folder that starts the program at logon.
#pragma once

#include <windows.h>

#include "foundation/HeapString.h"

extern const char ShortcutFileName[]; // "Kelvane(システムトレイに常駐).lnk"
extern const char RestoreSwitch[];    // "/restore"

// The shortcut's full path; empty when the start-up folder cannot be determined.
THeapString StartupShortcutPath();
// Writes the shortcut to the program with "/restore" and tells the user (the "Register"
// notice). With an empty path nothing is written anywhere.
void RegisterAtLogon(HWND owner, const char* shortcutPath);
// Tells the user (the "Unregister" notice) and deletes the shortcut.
void UnregisterAtLogon(HWND owner, const char* shortcutPath);
