// FolderScan: the folder browser, one folder's listing and the recursive scan with its progress window.
#pragma once

#include <windows.h>

#include "foundation/HeapString.h"
#include "foundation/HeapStringList.h"
#include "framework/ScanResult.h"

// Shows the system folder browser over `owner`, starting at `folder`; when the user chooses
// a folder with a file-system path it replaces `folder`, ending in a backslash (made a path the
// program opens, or empty when there is none). True whenever something was chosen.
bool BrowseForFolder(THeapString& folder, HWND owner, const char* title);

// Replaces the lists with the files and the subfolders (full paths, in the order the system lists
// them) of one folder; `subfolders` may be null. A name outside the code page is given by its
// short name; an entry that has no path the program can open goes to `leftOut` instead (as the
// code page shows it; a folder with a trailing backslash). Folders that are name-surrogate
// reparse points (junctions, symbolic links) are not listed: they can lead back up the tree.
// False when the folder cannot be listed.
bool ListFolder(const char* folder, THeapStringList& files, THeapStringList* subfolders,
                THeapStringList* leftOut = nullptr);

// Collects the files of the tree under `start`, depth first in listing order, into `found`
// (those `keep` accepts; all without it), showing a progress window owned by `owner` and
// handling messages between folders. A subfolder that cannot be listed is passed over.
// ScanStopped keeps what was found so far; ScanFailed (the start folder could not be listed)
// leaves `found` empty. Left-out files `keep` accepts, and left-out folders, are noted in
// `leftOut` when the scan finishes. A TFolderScan.
int ScanFolder(const char* start, HWND owner, THeapStringList& found, TScanFilter keep, void* context,
               TLeftOutPaths* leftOut = nullptr);
