// Shape positions: centred on the screen or at the mouse cursor, with the position marks.
#pragma once

#include <windows.h>

class TShape;

// Only compute: where a window rectangle would go, with its size kept.
RECT CentredRect(const RECT& window);
RECT RectAtMouse(const RECT& window);
// First position of a shape without a stored placement: each moves the shape and returns its
// new window rectangle.
RECT CentreShape(TShape* shape);
RECT PlaceShapeAtMouse(TShape* shape);
