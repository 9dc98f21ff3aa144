// Looking up menu items by command and by caption, and the touching test of rectangles.
#include "foundation/MenuHelpers.h"

#include <cstring>

int MenuPositionOfCommand(HMENU menu, UINT id)
{
    int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        if (GetMenuItemID(menu, position) == id) return position;
    }
    return -1;
}

THeapString MenuItemText(HMENU menu, int position)
{
    const int bufferSize = 256;
    THeapString text;
    char* buffer = text.Reserve(bufferSize - 1);
    if (GetMenuStringA(menu, static_cast<UINT>(position), buffer, bufferSize - 1, MF_BYPOSITION) <= 0) buffer[0] = '\0';
    text.Release();
    return text;
}

int MenuPositionOfText(HMENU menu, const char* text)
{
    if (!text) text = "";
    int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        if (std::strcmp(MenuItemText(menu, position), text) == 0) return position;
    }
    return -1;
}

bool RectTouches(const RECT& rect, int left, int top, int right, int bottom)
{
    return rect.right >= left && right >= rect.left && rect.bottom >= top && bottom >= rect.top;
}
