// DropFiles: file names out of a WM_DROPFILES drop, shortcuts followed and folders expanded.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "foundation/HeapString.h"
#include "foundation/HeapStringList.h"

// Each of these brings the target's top-level window to the foreground first and always
// releases the drop (DragFinish). A ".lnk" name is replaced by the shortcut's target when
// the shortcut can be resolved; otherwise the shortcut itself is returned.

// The first dropped name.
THeapString TakeDroppedFile(HWND target, HDROP drop);
// Replaces `out` with every dropped name in drop order; the count.
int TakeDroppedFiles(HWND target, HDROP drop, THeapStringList& out);
// Replaces `out` with every dropped file, each dropped folder replaced by the files found in
// it whose extension is one of `extensions` (without the dot, case ignored); the count.
// A folder that yields nothing or cannot be scanned contributes nothing, after a notice; a
// scan the user stopped contributes nothing silently.
int TakeDroppedFilesExpanded(HWND target, HDROP drop, THeapStringList& out, const THeapStringList& extensions);

// The shortcut rule on one name.
THeapString FollowShortcut(const char* name);

// The folder scan lives above the framework and installs itself here when it is linked in;
// it answers 1 finished, 2 stopped by the user, anything else failed.
using TDroppedFolderFilter = bool (*)(const char* path, void* context);
using TDroppedFolderScan = int (*)(const char* folder, HWND owner, THeapStringList& found,
                                   TDroppedFolderFilter keep, void* context);
void SetDroppedFolderScan(TDroppedFolderScan scan);

// Test seam: what releases the drop (DragFinish by default); returns the previous one.
using TDropRelease = void(WINAPI*)(HDROP drop);
TDropRelease ReplaceDropRelease(TDropRelease release);
