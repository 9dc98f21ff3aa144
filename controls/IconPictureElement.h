// TIconPictureElement: a 32 x 32 icon from any source, drawn on the shape's background.
#pragma once

#include "controls/Element.h"

class TIconPictureElement : public TElement {
public:
    // The icon stays its owner's (normally an icon cache).
    explicit TIconPictureElement(HICON icon, int dock = DockLeft, int alignment = AlignTopCentred);

    SIZE Measure(TShape* shape, HDC dc) override;
    void Place(TShape* shape, int x, int y) override;
    void Paint(TShape* shape, HDC dc) override;

    static const int IconSize = 32; // at 96 DPI, the large icon

private:
    HICON icon; // borrowed
    POINT position;
};
