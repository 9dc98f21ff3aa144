// ShellLink: shell shortcuts (.lnk files) written, read back, and the recent-documents list.
#pragma once

#include "foundation/HeapString.h"
#include "foundation/HeapStringList.h"

// COM must be initialised on the calling thread (the process entry does it). Both return
// true only when every step succeeded; failures are not reported otherwise.

// Writes (or overwrites) the shortcut; `iconPath` null or empty leaves the icon alone.
bool CreateShortcut(const char* linkPath, const char* target, const char* arguments, const char* iconPath,
                    int iconIndex);

// Reads the outputs asked for (null: not asked), in the order target, arguments, icon; the
// icon location only when both `iconPath` and `iconIndex` are given. Stops at the first
// failure, leaving that output and the ones after it untouched.
bool ResolveShortcut(const char* linkPath, THeapString* target, THeapString* arguments, THeapString* iconPath,
                     int* iconIndex);

// Replaces `out` with the targets of the shortcuts in the recent-documents folder, in the
// order the folder lists them, keeping those whose extension is one of `extensions`
// (ASCII case ignored, given without the dot); all of them when `extensions` is null or empty.
void RecentDocuments(THeapStringList& out, const THeapStringList* extensions);

// The same for the shortcuts in any folder.
void ShortcutTargetsIn(const char* folder, THeapStringList& out, const THeapStringList* extensions);
