// The process entry: start-up state kept for the whole run, and what the application supplies.
#pragma once

#include "foundation/HeapString.h"

#include <windows.h>

// Supplied by the application.
THeapString ApplicationKeyPath();     // e.g. "Software\\Orvik\\Kelvane\\1.x"
THeapString ApplicationDisplayName(); // the default title of shapes and message boxes
int ApplicationMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);

// Kept by the process entry for the rest of the library.
HINSTANCE ProgramInstance();
HINSTANCE PreviousInstance();
const char* StartCommandLine();
int StartShowCommand();
THeapString ApplicationName();

// The entry routine that WinMain runs: parse, stores, COM, the application, teardown.
int RunProcess(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);

// Registers a release routine for a library cache, run by the teardown in reverse order.
void AtProcessTeardown(void (*release)());
