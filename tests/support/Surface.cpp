// TSurface: the memory bitmap, filled at birth and released with its DC.
#include "support/Surface.h"

TSurface::TSurface(int width, int height, COLORREF fill) : width(width), height(height)
{
    HDC screen = GetDC(nullptr);
    dc = CreateCompatibleDC(screen);
    bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    previous = SelectObject(dc, bitmap);
    const RECT all = All();
    HBRUSH brush = CreateSolidBrush(fill);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
}

TSurface::~TSurface()
{
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
}
