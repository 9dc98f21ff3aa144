// Shape positions: the centring and at-the-mouse arithmetic and the moves that apply it.
#include "framework/ShapePosition.h"

#include "framework/Shape.h"
#include "framework/SystemMenu.h"

namespace {

// Keeps this far from the screen's edges when placed at the cursor.
const int mouseMargin = 32;

RECT Screen()
{
    RECT screen;
    GetWindowRect(GetDesktopWindow(), &screen);
    return screen;
}

// The lower bound first, so a window that just fits ends at the far margin.
int AtCursor(int cursor, int size, int low, int high)
{
    if (size + 2 * mouseMargin >= high - low) return (high - low - size) / 2;
    int start = cursor - size / 2;
    if (start < low + mouseMargin) start = low + mouseMargin;
    if (start > high - size - mouseMargin) start = high - size - mouseMargin;
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

RECT CentredRect(const RECT& window)
{
    RECT screen = Screen();
    int width = window.right - window.left, height = window.bottom - window.top;
    return Moved(window, (screen.right - screen.left - width) / 2, (screen.bottom - screen.top - height) / 2);
}

RECT RectAtMouse(const RECT& window)
{
    RECT screen = Screen();
    POINT cursor{0, 0};
    GetCursorPos(&cursor);
    int x = AtCursor(cursor.x, window.right - window.left, screen.left, screen.right);
    int y = AtCursor(cursor.y, window.bottom - window.top, screen.top, screen.bottom);
    return Moved(window, x, y);
}

RECT CentreShape(TShape* shape)
{
    RECT window;
    GetWindowRect(shape->Handle(), &window);
    return Apply(shape, CentredRect(window), CentreCommand);
}

RECT PlaceShapeAtMouse(TShape* shape)
{
    RECT window;
    GetWindowRect(shape->Handle(), &window);
    return Apply(shape, RectAtMouse(window), MousePositionCommand);
}
