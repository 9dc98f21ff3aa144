// DropFiles: file names out of a WM_DROPFILES drop, shortcuts followed and folders expanded.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "foundation/HeapString.h"
#include "foundation/HeapStringList.h"
#include "framework/ScanResult.h"

// Each of these brings the target's top-level window to the foreground first and always
// releases the drop (DragFinish). A ".lnk" name is replaced by the shortcut's target when
// the shortcut can be resolved; otherwise the shortcut itself is returned.

// The first dropped name.
THeapString TakeDroppedFile(HWND target, HDROP drop);
// Replaces `out` with every dropped name in drop order; the count.
int TakeDroppedFiles(HWND target, HDROP drop, THeapStringList& out);
// Replaces `out` with every dropped file, each dropped folder replaced by the files `scan`
// finds in it whose extension is one of `extensions` (without the dot, case ignored); the
// count. A folder that yields nothing or cannot be scanned contributes nothing, after a
// notice; a scan the user stopped contributes nothing silently.
int TakeDroppedFilesExpanded(HWND target, HDROP drop, THeapStringList& out, const THeapStringList& extensions,
                             TFolderScan scan);

// Releases a drop that the target does not take.
void RefuseDrop(HDROP drop);

// The shortcut rule on one name.
THeapString FollowShortcut(const char* name);

// The "FaildToAddFolder" notice of a folder scan that failed.
void NoticeFolderScanFailed(HWND owner);

// Test seam: what releases the drop (DragFinish by default); returns the previous one.
using TDropRelease = void(WINAPI*)(HDROP drop);
TDropRelease ReplaceDropRelease(TDropRelease release);
