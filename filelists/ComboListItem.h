// TComboListItem: one history entry as the drop-down list shows it, with its icon and sizes.
#pragma once

#include <windows.h>

#include "foundation/HeapString.h"
#include "foundation/IconSource.h"

struct TComboListItem {
    TComboListItem(const char* text, TIconSource* icon) : text(text), icon(icon) {}

    // Half the width of a full-width character in the DC's font, the gap the sizes leave out.
    static int MeasureGap(HDC dc);
    // Sizes for the DC's font; the large icon when the text is 26 pixels high or more.
    void Measure(HDC dc, int gap);
    void Draw(const DRAWITEMSTRUCT& item) const;

    THeapString text;
    TIconSource* icon; // borrowed: the icon caches keep it
    bool largeIcon = false;
    int iconBoxWidth = 0;
    int iconBoxHeight = 0;
    int textWidth = 0;
    int textHeight = 0;
    int itemWidth = 0;
    int itemHeight = 0;
};
