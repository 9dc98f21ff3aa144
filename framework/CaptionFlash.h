// FlashCaption: flashes a window's caption on a short-lived thread of its own.
#pragma once

#include <windows.h>

// Flashes `count` times, `interval` ms on and as long off (-1: the caret blink time), and
// returns at once; false when the thread could not be started.
bool FlashCaption(HWND window, int count, int interval);
