// Shape hooks: the window-menu, placement, snapping and owner-drawn menu work a shape calls into.
#pragma once

#include <windows.h>

class TShape;

// Window menu and its owner-drawn items.
void ExtendSystemMenu(TShape* shape);
void ReleaseSystemMenu(TShape* shape);
void RecomputeMenuMetrics(TShape* shape);
void MakeHelpMenuOwnerDrawn(TShape* shape, HMENU helpMenu);
void ReleaseHelpMenu(TShape* shape);
LRESULT HandleOwnerDrawnItem(TShape* shape, UINT message, WPARAM wParam, LPARAM lParam, bool& notHandled);
LRESULT HandleMenuChar(TShape* shape, WPARAM wParam, LPARAM lParam, bool& notHandled);
LRESULT HandleSystemCommand(TShape* shape, UINT command, int x, int y);

// Placement: restored is true when a stored placement was applied.
bool RestorePlacement(TShape* shape);
bool StorePlacement(TShape* shape);

// First position of a shape without a stored placement.
RECT CentreShape(TShape* shape);
RECT PlaceShapeAtMouse(TShape* shape);

// Snapping while the user moves or sizes the shape.
void BindSnapTracker(TShape* shape);
void BeginSnapTracking(TShape* shape);
void TrackSnap(TShape* shape, int side, RECT* proposed);
bool EndSnapTracking(TShape* shape); // true when the window moved
