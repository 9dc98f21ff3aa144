// TComboListItem: one history entry as the drop-down list shows it, with its icon and sizes.
#pragma once

#include <windows.h>

#include "foundation/HeapString.h"
#include "foundation/IconSource.h"

struct TComboListItem {
    TComboListItem(const char* text, TIconSource* icon) : text(text), icon(icon) {}

    // Half the width of a full-width character in the DC's font, the gap the sizes leave out.
    static int MeasureGap(HDC dc);
    // Sizes for the DC's font; the large icon when the text is 26 pixels high or more (at 96 DPI).
    void Measure(HDC dc, int gap);
    // A line too narrow for the whole text leaves out the middle of the path, as
    // DT_PATH_ELLIPSIS does, so that the drive and the file name stay; lines that fit are whole.
    void Draw(const DRAWITEMSTRUCT& item) const;

    // Where the text starts in a line, and whether a line of that width cuts it.
    int TextLeft() const;
    bool IsCut(int lineWidth) const { return TextLeft() + textExtent > lineWidth; }
    // The text as a line of that width shows it, in the DC's font.
    THeapString ShownText(HDC dc, int lineWidth) const;

    THeapString text;
    TIconSource* icon; // borrowed: the icon caches keep it
    bool largeIcon = false;
    int iconBoxWidth = 0;
    int iconBoxHeight = 0;
    int textWidth = 0;
    int textHeight = 0;
    int textExtent = 0; // the whole text's width as it is drawn
    int itemWidth = 0;
    int itemHeight = 0;
};
