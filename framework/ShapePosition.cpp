// Shape positions: the centring and at-the-mouse arithmetic and the moves that apply it.
#include "framework/ShapePosition.h"

#include "foundation/ScreenScale.h"
#include "framework/Shape.h"
#include "framework/SystemMenu.h"
#include "framework/WorkArea.h"

namespace {

// Keeps this far (at 96 DPI) from the monitor's edges when placed at the cursor.
const int mouseMargin = 32;

// The lower bound first, so a window that just fits ends at the far margin.
int AtCursor(int cursor, int size, int low, int high)
{
    const int margin = Scaled(mouseMargin);
    if (size + 2 * margin >= high - low) return low + (high - low - size) / 2;
    int start = cursor - size / 2;
    if (start < low + margin) start = low + margin;
    if (start > high - size - margin) start = high - size - margin;
    return start;
}

RECT Moved(const RECT& window, int x, int y)
{
    return RECT{x, y, x + (window.right - window.left), y + (window.bottom - window.top)};
}

RECT Apply(TShape* shape, const RECT& target, UINT mark)
{
    MoveWindow(shape->Handle(), target.left, target.top, target.right - target.left, target.bottom - target.top, TRUE);
    MarkPositionMode(shape, mark);
    return target;
}

} // namespace

RECT CentredRect(const RECT& window) { return CentredRect(window, MonitorAreaOf(window).monitor); }

RECT CentredRect(const RECT& window, const RECT& monitor)
{
    int width = window.right - window.left, height = window.bottom - window.top;
    return Moved(window, monitor.left + (monitor.right - monitor.left - width) / 2,
                 monitor.top + (monitor.bottom - monitor.top - height) / 2);
}

RECT RectAtMouse(const RECT& window)
{
    POINT cursor{0, 0};
    GetCursorPos(&cursor);
    const RECT screen = MonitorAreaAt(cursor).monitor;
    int x = AtCursor(cursor.x, window.right - window.left, screen.left, screen.right);
    int y = AtCursor(cursor.y, window.bottom - window.top, screen.top, screen.bottom);
    return Moved(window, x, y);
}

RECT CentreShape(TShape* shape, HWND onMonitorOf)
{
    RECT window;
    GetWindowRect(shape->Handle(), &window);
    const RECT monitor = MonitorAreaOfWindow(onMonitorOf ? onMonitorOf : shape->Handle()).monitor;
    return Apply(shape, CentredRect(window, monitor), CentreCommand);
}

RECT PlaceShapeAtMouse(TShape* shape)
{
    RECT window;
    GetWindowRect(shape->Handle(), &window);
    return Apply(shape, RectAtMouse(window), MousePositionCommand);
}
