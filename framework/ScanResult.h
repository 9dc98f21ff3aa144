// ScanResult: what a folder scan answers and asks. The scan itself belongs to the file lists;
// the drop handling is given one to run on dropped folders.
#pragma once

#include <windows.h>

#include "foundation/HeapStringList.h"

class TLeftOutPaths;

enum TScanResult { ScanFinished = 1, ScanStopped = 2, ScanFailed = 3 };

// Answers whether the scan keeps a file.
using TScanFilter = bool (*)(const char* path, void* context);

// Collects into `found` the files under `folder` that `keep` accepts (all without it), with a
// progress window owned by `owner`; one of the results above. Files that `keep` accepts but no
// path the program can open reaches are noted in `leftOut` (when given).
using TFolderScan = int (*)(const char* folder, HWND owner, THeapStringList& found, TScanFilter keep, void* context,
                            TLeftOutPaths* leftOut);
