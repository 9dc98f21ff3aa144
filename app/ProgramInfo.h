// The program's own information: its name, version, build stamp and start-up shortcut path.
#pragma once

#include "foundation/DateTime.h"
#include "foundation/HeapString.h"

struct TProgramInfo {
    THeapString productName; // the main window's title, by which a second copy finds the first
    THeapString versionText;
    TDate buildDate;
    TTime buildTime;
    THeapString shortcutPath; // set once the main window knows the start-up folder
};

// The one record, made on first use and kept until the process ends.
TProgramInfo& ProgramInfo();

extern const char ProductName[];  // "Kelvane"
extern const char BuildDateText[]; // the compiler's date stamp of the release build
extern const char BuildTimeText[];
