// Translucency: layered-window alpha blending or colour keys, where the system offers them.
#pragma once

#include <windows.h>

class TShape;

using TLayeredFunction = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

// SetLayeredWindowAttributes of the system's USER32.DLL, looked up once per run.
bool LayeredAvailable();
// Off: fully opaque first, then no layered style. On: the style, level and colour of the
// library's "View" settings. Nothing at all happens without the layered function.
void SetTranslucent(TShape* shape, bool on);
void SetAlpha(TShape* shape, BYTE alpha);
void SetColorKey(TShape* shape, COLORREF color);

// For tests: use this function from now on (null: as if the system had none), or look the
// real one up again on the next use.
void UseLayeredFunction(TLayeredFunction function);
void ForgetLayeredFunction();
