// DropFiles: file names out of a WM_DROPFILES drop, shortcuts followed and folders expanded, and the
// notices of files that could not be added.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "foundation/AnsiPath.h"
#include "foundation/HeapString.h"
#include "foundation/HeapStringList.h"
#include "framework/ScanResult.h"

// Each of these brings the target's top-level window to the foreground first and always
// releases the drop (DragFinish). A ".lnk" name is replaced by the shortcut's target when
// the shortcut can be resolved; otherwise the shortcut itself is returned. Names are read in
// UTF-16 and made paths the program opens (OpenableAnsiPath); a name that has none is left
// out, and noted in `leftOut` when given.

// The first dropped name; empty when it was left out.
THeapString TakeDroppedFile(HWND target, HDROP drop);
// Replaces `out` with every dropped name in drop order; the count.
int TakeDroppedFiles(HWND target, HDROP drop, THeapStringList& out, TLeftOutPaths* leftOut = nullptr);
// Replaces `out` with every dropped file, each dropped folder replaced by the files `scan`
// finds in it whose extension is one of `extensions` (without the dot, case ignored); the
// count. A folder that yields nothing or cannot be scanned contributes nothing, after a
// notice; a scan the user stopped contributes nothing silently.
int TakeDroppedFilesExpanded(HWND target, HDROP drop, THeapStringList& out, const THeapStringList& extensions,
                             TFolderScan scan, TLeftOutPaths* leftOut = nullptr);

// Releases a drop that the target does not take.
void RefuseDrop(HDROP drop);

// The shortcut rule on one name.
THeapString FollowShortcut(const char* name);

// The "FaildToAddFolder" notice of a folder scan that failed.
void NoticeFolderScanFailed(HWND owner);
// The notice of one batch's files that were left out, naming how many and the first few, which
// the user can silence; nothing when none were.
void NoticeLeftOutPaths(HWND owner, const TLeftOutPaths& leftOut);

// Test seam: what releases the drop (DragFinish by default); returns the previous one.
using TDropRelease = void(WINAPI*)(HDROP drop);
TDropRelease ReplaceDropRelease(TDropRelease release);
