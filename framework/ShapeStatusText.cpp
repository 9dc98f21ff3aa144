// TShapeStatusText: the information icon and the help text of the selected menu item.
#include "framework/ShapeStatusText.h"

TShapeStatusText::TShapeStatusText() : itemEnabled(true), icon(nullptr)
{
}

void TShapeStatusText::SetHelp(const char* newText, bool enabled)
{
    text = newText;
    itemEnabled = enabled;
    icon = text.IsEmpty() ? nullptr : LoadIconA(nullptr, IDI_ASTERISK);
}

void TShapeStatusText::Draw(const DRAWITEMSTRUCT& item) const
{
    const RECT& part = item.rcItem;
    int partHeight = part.bottom - part.top;
    int iconSize = partHeight > 23 ? 32 : 16;
    UINT disabled = itemEnabled ? 0 : DSS_DISABLED;
    HBRUSH shadow = GetSysColorBrush(COLOR_BTNSHADOW);
    int textLeft = part.left + 2;
    if (icon) {
        int top = part.top + (partHeight - iconSize) / 2;
        DrawStateA(item.hDC, shadow, nullptr, reinterpret_cast<LPARAM>(icon), 0, part.left, top,
                   iconSize, iconSize, DST_ICON | disabled);
        textLeft = part.left + iconSize + 2;
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
