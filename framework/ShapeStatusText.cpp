// TShapeStatusText: the information icon and the help text of the selected menu item.
#include "framework/ShapeStatusText.h"

#include "foundation/IconCache.h"
#include "foundation/ScreenScale.h"

TShapeStatusText::TShapeStatusText() : itemEnabled(true), showsIcon(false)
{
}

void TShapeStatusText::SetHelp(const char* newText, bool enabled)
{
    text = newText;
    itemEnabled = enabled;
    showsIcon = !text.IsEmpty();
}

void TShapeStatusText::Draw(const DRAWITEMSTRUCT& item) const
{
    const RECT& part = item.rcItem;
    int partHeight = part.bottom - part.top;
    const int iconKind = partHeight > Scaled(23) ? 1 : 0;
    const int iconSize = IconSizeOfKind(iconKind);
    UINT disabled = itemEnabled ? 0 : DSS_DISABLED;
    HBRUSH shadow = GetSysColorBrush(COLOR_BTNSHADOW);
    int textLeft = part.left + Scaled(2);
    if (showsIcon) {
        HICON icon = SystemIconSource(IDI_ASTERISK)->Get(iconKind);
        int top = part.top + (partHeight - iconSize) / 2;
        DrawStateA(item.hDC, shadow, nullptr, reinterpret_cast<LPARAM>(icon), 0, part.left, top,
                   iconSize, iconSize, DST_ICON | disabled);
        textLeft = part.left + iconSize + Scaled(2);
    }
    SIZE extent{0, 0};
    GetTextExtentPoint32A(item.hDC, text, text.Length(), &extent);
    COLORREF oldBack = SetBkColor(item.hDC, GetSysColor(COLOR_BTNFACE));
    int oldMode = SetBkMode(item.hDC, TRANSPARENT);
    DrawStateA(item.hDC, shadow, nullptr, reinterpret_cast<LPARAM>(text.Text()), text.Length(), textLeft,
               part.top + (partHeight - extent.cy) / 2, extent.cx, extent.cy, DST_PREFIXTEXT | disabled);
    SetBkMode(item.hDC, oldMode);
    SetBkColor(item.hDC, oldBack);
}
