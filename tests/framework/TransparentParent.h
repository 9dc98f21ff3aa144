// Plain windows for the transparent controls to sit on: a parent that paints the shared
// background, its controls, and the showcase of every kind over the picture.
#pragma once

#include <windows.h>

#include "framework/TransparentControls.h"

// A hidden top-level window that paints the background and hands owner-drawn buttons to the library.
HWND CreateTransparentParent(const char* title, int width, int height);
// A child control with the GUI font.
HWND CreateControl(HWND parent, const char* className, const char* text, DWORD style, int x, int y, int width,
                   int height, int id);

const int TransparentShowcaseControls = 10;
// Every kind of transparent control over the picture, bound to `records`, shown and painted;
// the caller destroys the window it returns.
HWND OpenTransparentShowcase(TTransparentControl (&records)[TransparentShowcaseControls]);
