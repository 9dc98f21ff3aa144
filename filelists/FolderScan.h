// FolderScan: the folder browser, one folder's listing and the recursive scan with its progress window.
#pragma once

#include <windows.h>

#include "foundation/HeapString.h"
#include "foundation/HeapStringList.h"
#include "framework/ScanResult.h"

// Shows the system folder browser over `owner`, starting at `folder`; when the user chooses
// a folder with a file-system path it replaces `folder`, ending in a backslash. True
// whenever something was chosen.
bool BrowseForFolder(THeapString& folder, HWND owner, const char* title);

// Replaces both lists with the files and the subfolders (full paths, in the order the system
// lists them) of one folder; `subfolders` may be null. False when the folder cannot be listed.
bool ListFolder(const char* folder, THeapStringList& files, THeapStringList* subfolders);

// Collects the files of the tree under `start`, depth first in listing order, into `found`
// (those `keep` accepts; all without it), showing a progress window owned by `owner` and
// handling messages between folders. ScanStopped keeps what was found so far; ScanFailed (a
// folder in the tree could not be listed) leaves `found` empty.
// A TFolderScan.
int ScanFolder(const char* start, HWND owner, THeapStringList& found, TScanFilter keep, void* context);
