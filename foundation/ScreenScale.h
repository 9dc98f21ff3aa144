// Layout lengths: every pixel length of the library and the program is written for a screen of
// 96 DPI and scaled to the screen's DPI where it becomes a window size or position.
#pragma once

#include <windows.h>

// The DPI that the written lengths stand for.
const int LayoutDpi = 96;

// The screen's vertical DPI (LOGPIXELSY of the screen), read once per process.
int ScreenDpi();
// A length written for 96 DPI, in the screen's pixels; at 96 DPI the length itself.
int Scaled(int length);
SIZE Scaled(SIZE size);

// Test seam: lengths scale for this DPI instead of the screen's (0: the screen's again);
// returns the DPI set before (0 when none was).
int ReplaceScreenDpi(int dpi);
