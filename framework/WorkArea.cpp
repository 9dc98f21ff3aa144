// The work area without the taskbar, computed from the taskbar window itself.
#include "framework/WorkArea.h"

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

RECT ScreenWorkArea()
{
    RECT screen;
    GetWindowRect(GetDesktopWindow(), &screen);
    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    if (!taskbar || !IsWindowVisible(taskbar)) return screen;
    if (!(GetWindowLongA(taskbar, GWL_EXSTYLE) & WS_EX_TOPMOST)) return screen;
    RECT bar, overlap;
    GetWindowRect(taskbar, &bar);
    if (!IntersectRect(&overlap, &bar, &screen)) return screen;
    return WorkAreaLessTaskbar(screen, bar);
}
