// Monitors as placement and snapping see them: each monitor's rectangle and its work area
// (the monitor less the taskbar), in screen coordinates; a monitor left of or above the
// primary one has negative coordinates.
#pragma once

#include <windows.h>

struct TMonitorArea {
    RECT monitor;
    RECT work;
};

// The monitor that a rectangle lies most on, or the nearest one when it lies on none (a
// placement remembered on a monitor that is gone, a point beyond every screen).
TMonitorArea MonitorAreaOf(const RECT& rectangle);
TMonitorArea MonitorAreaOfWindow(HWND window);
TMonitorArea MonitorAreaAt(POINT point);

// The cut of a visible, always-on-top taskbar ("Shell_TrayWnd") out of an area: one that spans
// the full width cuts off the top or bottom, one spanning the full height the left or right.
RECT WorkAreaLessTaskbar(const RECT& screen, const RECT& taskbar);

// Test seam: what answers MonitorAreaOf (the system's monitors by default), for layouts that
// the display cannot show; returns the lookup it replaced.
using TMonitorLookup = TMonitorArea (*)(const RECT& rectangle);
TMonitorLookup ReplaceMonitorLookup(TMonitorLookup lookup);
