// Halo text: text with a rim in the background colour, so it stays readable over a picture.
#pragma once

#include <windows.h>

// One line with "&" access-key prefixes at (x, y), in the DC's text colour, with a 2-pixel rim (at 96 DPI)
// in its background colour (no rim on palette displays). Disabled text is embossed, or gray
// on a palette display.
void DrawHaloText(HDC dc, int x, int y, bool enabled, const char* text);

// Several lines without prefixes, each line's tab stops measured from its own start; the rim
// is drawn in `haloColor` unless the display uses a palette.
void DrawHaloLines(HDC dc, int x, int y, const char* text, COLORREF haloColor);
