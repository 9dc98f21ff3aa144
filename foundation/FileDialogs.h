// The system's file-open and file-save dialogs, started from a path and giving one back.
#pragma once

#include "foundation/AnsiPath.h"
#include "foundation/HeapString.h"

#include <windows.h>

// `path` suggests the folder and file name and becomes the chosen file. `readOnly`, when
// given, sets the dialog's read-only check box and takes its answer; when null the box is
// hidden. `filter` is the dialog's double-NUL-terminated list; `filterIndex` is 1-based.
// False when the user cancels (the path stays as it was). The chosen name becomes a path the
// program opens (OpenableAnsiPath); one that has none answers false and is noted in `leftOut`.
bool AskOpenFile(THeapString& path, HWND owner, const char* filter, const char* defaultExtension, bool* readOnly,
                 const char* title, int filterIndex = 1, TLeftOutPaths* leftOut = nullptr);
// The same for a file to save; a name outside the code page of a file not yet there answers false.
bool AskSaveFile(THeapString& path, HWND owner, const char* filter, const char* defaultExtension, const char* title,
                 int filterIndex = 1);
