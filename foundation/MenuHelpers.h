// Looking up menu items by command and by caption, and the touching test of rectangles.
#pragma once

#include "foundation/HeapString.h"

#include <windows.h>

// The position of the first item with this command identifier, or -1.
int MenuPositionOfCommand(HMENU menu, UINT id);
// The caption of the item at a position (up to 255 bytes); empty for separators and bad positions.
THeapString MenuItemText(HMENU menu, int position);
// The position of the first item whose caption equals the text exactly, or -1.
int MenuPositionOfText(HMENU menu, const char* text);
// The rectangles overlap or share an edge.
bool RectTouches(const RECT& rect, int left, int top, int right, int bottom);
