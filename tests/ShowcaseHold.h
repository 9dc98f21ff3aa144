// Keeps a disabled screenshot test's windows on screen for KELVANE_SHOWCASE_MS milliseconds,
// pumping their messages meanwhile; without the variable it pumps once.
#pragma once

#include <windows.h>

#include <cstdlib>

#include "framework/ShapeLoops.h"

inline void HoldForShowcase()
{
    const char* hold = std::getenv("KELVANE_SHOWCASE_MS");
    const DWORD span = hold ? static_cast<DWORD>(std::atoi(hold)) : 0;
    const DWORD start = GetTickCount();
    do {
        PumpPending();
        Sleep(10);
    } while (GetTickCount() - start < span);
}
