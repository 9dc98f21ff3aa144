// Layout lengths: the screen's DPI, read once, and the scaling of 96-DPI lengths to it.
#include "foundation/ScreenScale.h"

namespace {

int screenDpi = 0;   // 0 until read
int replacedDpi = 0; // set by a test; 0 when none

int ReadScreenDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : LayoutDpi;
}

} // namespace

int ScreenDpi()
{
    if (replacedDpi) return replacedDpi;
    if (!screenDpi) screenDpi = ReadScreenDpi();
    return screenDpi;
}

int Scaled(int length)
{
    const int dpi = ScreenDpi();
    return dpi == LayoutDpi ? length : MulDiv(length, dpi, LayoutDpi);
}

SIZE Scaled(SIZE size) { return SIZE{Scaled(size.cx), Scaled(size.cy)}; }

int ReplaceScreenDpi(int dpi)
{
    const int previous = replacedDpi;
    replacedDpi = dpi > 0 ? dpi : 0;
    return previous;
}
