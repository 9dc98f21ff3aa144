// Reading drawn pixels back through a memory copy or the window's own DC.
#include "support/ScreenPixels.h"

#include "support/Surface.h"

std::vector<COLORREF> CapturePixels(HDC source, int left, int top, int width, int height)
{
    TSurface copy(width, height);
    BitBlt(copy.Dc(), 0, 0, width, height, source, left, top, SRCCOPY);
    std::vector<COLORREF> pixels;
    pixels.reserve(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels.push_back(copy.At(x, y));
    return pixels;
}

COLORREF WindowPixel(HWND window, int x, int y)
{
    HDC dc = GetDC(window);
    const COLORREF pixel = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return pixel;
}
