// Checks of the running system: version, platform, taskbar kind, key state, palette displays.
#pragma once

#include <windows.h>

// major << 24 | minor << 16 | (build & 0xFFFF), from GetVersionExA; computed once.
DWORD SystemVersion();
// The platform identifier of GetVersionExA (VER_PLATFORM_WIN32_NT, ...); computed once.
DWORD SystemPlatform();
// The taskbar ("Shell_TrayWnd") holds a rebar ("ReBarWindow32"); computed once.
bool HasRebarTaskbar();
// The key is held down now, as the message being handled saw it (GetKeyState).
bool IsKeyDown(int virtualKey);
// The device is palette-based (its RASTERCAPS have RC_PALETTE); false on true-colour displays.
bool IsPaletteDevice(HDC dc);
