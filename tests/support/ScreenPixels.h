// Pixels as they are on a device context (a window's, or the screen's), as tests compare
// what is drawn.
#pragma once

#include <windows.h>

#include <vector>

// A rectangle of `source`, row by row.
std::vector<COLORREF> CapturePixels(HDC source, int left, int top, int width, int height);
// One pixel of a window's client area.
COLORREF WindowPixel(HWND window, int x, int y);
