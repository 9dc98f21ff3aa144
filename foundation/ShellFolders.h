// ShellFolders: the shell's special folders and the system's directories as paths.
#pragma once

#include "foundation/HeapString.h"

// Each path ends in a backslash; the empty text when the folder is unknown or missing.
THeapString SpecialFolderPath(int csidl); // CSIDL_STARTUP, CSIDL_RECENT, CSIDL_DESKTOP...
THeapString WindowsDirectory();
THeapString SystemDirectory();
THeapString CurrentDirectory();
