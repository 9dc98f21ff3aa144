// TComboListItem: measuring and drawing a history entry with its file-type icon.
#include "filelists/ComboListItem.h"

#include "foundation/ScreenScale.h"

namespace {

// Lengths at 96 DPI: the icon column of a line with the small icon, of one with the large
// icon, and the gap between icon column and text.
const int smallBox = 18;
const int largeBox = 34;
const int textGap = 2;
const char fullWidthSample[] = "\x91\x53"; // a full-width character in Shift-JIS

} // namespace

int TComboListItem::MeasureGap(HDC dc)
{
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc, fullWidthSample, 2, &size);
    return size.cx / 2;
}

void TComboListItem::Measure(HDC dc, int gap)
{
    RECT bounds{0, 0, 0, 0};
    DrawTextA(dc, text, -1, &bounds, DT_CALCRECT);
    const int width = bounds.right - bounds.left;
    textHeight = bounds.bottom - bounds.top;
    largeIcon = textHeight >= Scaled(smallBox + 8);
    iconBoxWidth = iconBoxHeight = Scaled(largeIcon ? largeBox : smallBox);
    itemWidth = iconBoxWidth + width + Scaled(textGap) - gap;
    textWidth = width - gap;
    itemHeight = iconBoxHeight > textHeight ? iconBoxHeight : textHeight;
}

void TComboListItem::Draw(const DRAWITEMSTRUCT& item) const
{
    HDC dc = item.hDC;
    const RECT& area = item.rcItem;
    const bool enabled = IsWindowEnabled(item.hwndItem) != FALSE;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const int fill = selected ? COLOR_HIGHLIGHT : (enabled ? COLOR_WINDOW : COLOR_BTNFACE);
    const int ink = !enabled ? COLOR_GRAYTEXT : (selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    FillRect(dc, &area, GetSysColorBrush(fill));
    SetBkColor(dc, GetSysColor(fill));
    SetTextColor(dc, GetSysColor(ink));

    const int height = area.bottom - area.top;
    if (icon) {
        const int size = IconSizeOfKind(largeIcon ? 1 : 0);
        const int spare = (height - size) / 2;
        HICON shown = icon->Get(largeIcon ? 1 : 0, nullptr);
        const UINT flags = enabled ? DST_ICON : DST_ICON | DSS_MONO;
        DrawStateA(dc, enabled ? nullptr : GetSysColorBrush(COLOR_BTNSHADOW), nullptr,
                   reinterpret_cast<LPARAM>(shown), 0, area.left + 1, area.top + (spare > 0 ? spare : 0) + 1, size,
                   size, flags);
    }
    const int x = area.left + iconBoxWidth + Scaled(textGap);
    const int y = area.top + (height - textHeight) / 2;
    DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(text.Text()), text.Length(), x, y, 0, 0,
               DST_PREFIXTEXT);
    if (!selected && (item.itemState & ODS_FOCUS)) DrawFocusRect(dc, &area);
}
