// The loops that drive shapes: the registry of modeless shapes, pumping and the final teardown.
#pragma once

#include <windows.h>

class TShape;

// True when one of the modeless shapes consumed the message; tears down shapes whose window vanished.
bool PreTranslateModeless(MSG* message);
// Handles every queued message; long operations call it between their steps.
void PumpPending();
// Tears down every modeless shape still registered and releases the shared painters.
void DestroyAllShapes();

void RegisterModelessShape(TShape* shape);
void ForgetModelessShape(TShape* shape);
int ModelessShapeCount();
