// Monitors and their work areas, from the system's monitor functions and the taskbar window.
#include "framework/WorkArea.h"

namespace {

// The system's work area leaves out the taskbar on Windows; the taskbar is cut once more for
// systems that count it in.
RECT LessTopmostTaskbar(const RECT& area)
{
    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    if (!taskbar || !IsWindowVisible(taskbar)) return area;
    if (!(GetWindowLongA(taskbar, GWL_EXSTYLE) & WS_EX_TOPMOST)) return area;
    RECT bar, overlap;
    GetWindowRect(taskbar, &bar);
    if (!IntersectRect(&overlap, &bar, &area)) return area;
    return WorkAreaLessTaskbar(area, bar);
}

TMonitorArea SystemMonitorArea(const RECT& rectangle)
{
    TMonitorArea area{};
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(MonitorFromRect(&rectangle, MONITOR_DEFAULTTONEAREST), &info)) {
        area.monitor = info.rcMonitor;
        area.work = info.rcWork;
    } else {
        GetWindowRect(GetDesktopWindow(), &area.monitor);
        area.work = area.monitor;
    }
    area.work = LessTopmostTaskbar(area.work);
    return area;
}

TMonitorLookup monitorLookup = &SystemMonitorArea;

} // namespace

RECT WorkAreaLessTaskbar(const RECT& screen, const RECT& taskbar)
{
    RECT area = screen;
    bool fullWidth = taskbar.left <= screen.left && taskbar.right >= screen.right;
    bool fullHeight = taskbar.top <= screen.top && taskbar.bottom >= screen.bottom;
    if (fullWidth && !fullHeight) {
        if (taskbar.top <= screen.top)
            area.top = taskbar.bottom;
        else
            area.bottom = taskbar.top;
    } else if (fullHeight && !fullWidth) {
        if (taskbar.left <= screen.left)
            area.left = taskbar.right;
        else
            area.right = taskbar.left;
    }
    return area;
}

TMonitorArea MonitorAreaOf(const RECT& rectangle) { return monitorLookup(rectangle); }

TMonitorArea MonitorAreaOfWindow(HWND window)
{
    RECT frame{};
    GetWindowRect(window, &frame);
    return MonitorAreaOf(frame);
}

TMonitorArea MonitorAreaAt(POINT point) { return MonitorAreaOf(RECT{point.x, point.y, point.x + 1, point.y + 1}); }

TMonitorLookup ReplaceMonitorLookup(TMonitorLookup lookup)
{
    TMonitorLookup previous = monitorLookup;
    monitorLookup = lookup ? lookup : &SystemMonitorArea;
    return previous;
}
