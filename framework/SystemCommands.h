// The shape's handling of its system-menu commands: always on top, translucency, position, close.
#pragma once

#include <windows.h>

class TShape;

// OnSysCommand of the base shape: the result of WM_SYSCOMMAND.
LRESULT HandleSystemCommand(TShape* shape, UINT command, int x, int y);
