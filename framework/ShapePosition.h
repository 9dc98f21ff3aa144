// Shape positions: centred on a monitor or at the mouse, with the position marks.
#pragma once

#include <windows.h>

class TShape;

// Only compute: where a window rectangle would go, with its size kept. Centred on the monitor
// it lies most on (or on the given monitor); at the mouse on the monitor under the cursor.
RECT CentredRect(const RECT& window);
RECT CentredRect(const RECT& window, const RECT& monitor);
RECT RectAtMouse(const RECT& window);
// First position of a shape without a stored placement: each moves the shape and returns its
// new window rectangle. Centring takes the monitor of `onMonitorOf` (a visible owner) when given.
RECT CentreShape(TShape* shape, HWND onMonitorOf = nullptr);
RECT PlaceShapeAtMouse(TShape* shape);
