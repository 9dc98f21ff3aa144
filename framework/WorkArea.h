// The screen's work area as placement and snapping see it: the desktop less an always-on-top taskbar.
#pragma once

#include <windows.h>

// The desktop window's rectangle; a visible, always-on-top taskbar ("Shell_TrayWnd") that
// spans the full width cuts off the top or bottom, one spanning the full height the left or right.
RECT ScreenWorkArea();

// The same cut applied to a given screen and taskbar rectangle (for callers that know both).
RECT WorkAreaLessTaskbar(const RECT& screen, const RECT& taskbar);
