// Shape hooks: plain stand-ins until the window menu, placement and snapping are built.
#include "framework/ShapeHooks.h"

#include "framework/Shape.h"

namespace {

RECT WorkArea()
{
    RECT area;
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) GetWindowRect(GetDesktopWindow(), &area);
    return area;
}

int Clamp(int value, int low, int high) { return value > high ? (high > low ? high : low) : (value < low ? low : value); }

RECT MoveShape(TShape* shape, int x, int y)
{
    RECT window;
    GetWindowRect(shape->Handle(), &window);
    int width = window.right - window.left, height = window.bottom - window.top;
    MoveWindow(shape->Handle(), x, y, width, height, TRUE);
    return RECT{x, y, x + width, y + height};
}

} // namespace

void ExtendSystemMenu(TShape*) {}
void ReleaseSystemMenu(TShape*) {}
void RecomputeMenuMetrics(TShape*) {}
void MakeHelpMenuOwnerDrawn(TShape*, HMENU) {}
void ReleaseHelpMenu(TShape*) {}

LRESULT HandleOwnerDrawnItem(TShape*, UINT, WPARAM, LPARAM, bool& notHandled)
{
    notHandled = true;
    return 0;
}

LRESULT HandleMenuChar(TShape*, WPARAM, LPARAM, bool& notHandled)
{
    notHandled = true;
    return 0;
}

LRESULT HandleSystemCommand(TShape* shape, UINT command, int x, int y)
{
    return DefWindowProcA(shape->Handle(), WM_SYSCOMMAND, command, MAKELPARAM(x, y));
}

bool RestorePlacement(TShape*) { return false; }
bool StorePlacement(TShape*) { return false; }

RECT CentreShape(TShape* shape)
{
    RECT area = WorkArea(), window;
    GetWindowRect(shape->Handle(), &window);
    int x = area.left + (area.right - area.left - (window.right - window.left)) / 2;
    int y = area.top + (area.bottom - area.top - (window.bottom - window.top)) / 2;
    return MoveShape(shape, x, y);
}

RECT PlaceShapeAtMouse(TShape* shape)
{
    RECT area = WorkArea(), window;
    POINT cursor{0, 0};
    GetCursorPos(&cursor);
    GetWindowRect(shape->Handle(), &window);
    int x = Clamp(cursor.x, area.left, area.right - (window.right - window.left));
    int y = Clamp(cursor.y, area.top, area.bottom - (window.bottom - window.top));
    return MoveShape(shape, x, y);
}

void BindSnapTracker(TShape*) {}
void BeginSnapTracking(TShape*) {}
void TrackSnap(TShape*, int, RECT*) {}
bool EndSnapTracking(TShape*) { return false; }
