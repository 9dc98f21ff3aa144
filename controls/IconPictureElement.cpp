// TIconPictureElement: measuring, placing and drawing one icon.
#include "controls/IconPictureElement.h"

#include "foundation/ScreenScale.h"

TIconPictureElement::TIconPictureElement(HICON icon, int dock, int alignment)
    : TElement(dock, alignment), icon(icon), position{0, 0}
{
}

SIZE TIconPictureElement::Measure(TShape*, HDC) { return Scaled(SIZE{IconSize, IconSize}); }

void TIconPictureElement::Place(TShape*, int x, int y) { position = POINT{x, y}; }

void TIconPictureElement::Paint(TShape*, HDC dc)
{
    if (!icon) return;
    DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, position.x, position.y, Scaled(IconSize), Scaled(IconSize),
               DST_ICON);
}
