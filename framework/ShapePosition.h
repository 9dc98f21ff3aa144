// Shape positions: centred on the screen or at the mouse cursor, with the position marks.
#pragma once

#include <windows.h>

class TShape;

// Only compute: where a window rectangle would go, with its size kept.
RECT CentredRect(const RECT& window);
RECT RectAtMouse(const RECT& window);
// (CentreShape and PlaceShapeAtMouse of framework/ShapeHooks.h move the shape and return
// its new window rectangle.)
