// Texts the system supplies: the program's string resources and system error messages.
#pragma once

#include "foundation/HeapString.h"

#include <windows.h>

// The module that holds the program's resources (the running program's own file).
HMODULE ProgramModule();

// A string resource of the program, ready for display (up to 1,023 bytes); empty when missing.
THeapString ResourceText(UINT id);
// The same as stored (up to 255 bytes), without display conversion.
THeapString RawResourceText(UINT id);
// The system's message for an error code, as the system words it; empty when it has none.
THeapString SystemErrorText(DWORD code);
