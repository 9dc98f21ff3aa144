// TSurface: a screen-compatible memory bitmap filled with one colour, for drawing code to paint
// on and tests to read back pixel by pixel.
#pragma once

#include <windows.h>

class TSurface {
public:
    // What a pixel holds until something paints it.
    static constexpr COLORREF Untouched = RGB(255, 0, 255);

    TSurface(int width, int height, COLORREF fill = Untouched);
    ~TSurface();
    TSurface(const TSurface&) = delete;
    TSurface& operator=(const TSurface&) = delete;

    HDC Dc() const { return dc; }
    RECT All() const { return RECT{0, 0, width, height}; }
    COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }

private:
    int width, height;
    HDC dc;           // owned
    HBITMAP bitmap;   // owned, selected into dc
    HGDIOBJ previous; // borrowed: dc's own bitmap, selected back before dc goes
};
