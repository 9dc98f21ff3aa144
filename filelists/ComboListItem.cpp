// TComboListItem: measuring and drawing a history entry with its file-type icon.
#include "filelists/ComboListItem.h"

#include <vector>

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
    textExtent = width;
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
    const int x = area.left + TextLeft();
    const int y = area.top + (height - textHeight) / 2;
    const int lineWidth = area.right - area.left;
    const THeapString shown = IsCut(lineWidth) ? ShownText(dc, lineWidth) : text;
    DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(shown.Text()), shown.Length(), x, y, 0, 0,
               DST_PREFIXTEXT);
    if (!selected && (item.itemState & ODS_FOCUS)) DrawFocusRect(dc, &area);
}

int TComboListItem::TextLeft() const { return iconBoxWidth + Scaled(textGap); }

// The system leaves out the middle of the path; when the file name alone is too long, the
// text keeps its start (the drive) and loses its end.
THeapString TComboListItem::ShownText(HDC dc, int lineWidth) const
{
    if (!IsCut(lineWidth)) return text;
    const int room = lineWidth - TextLeft();
    std::vector<char> shown;
    for (UINT ellipsis : {DT_PATH_ELLIPSIS, DT_END_ELLIPSIS}) {
        shown.assign(text.Text(), text.Text() + text.Length() + 1);
        shown.resize(shown.size() + 8, '\0'); // the ellipsis may take more bytes than what it replaces
        RECT bounds{0, 0, room > 0 ? room : 0, 0};
        DrawTextA(dc, shown.data(), -1, &bounds, DT_CALCRECT | DT_SINGLELINE | DT_MODIFYSTRING | ellipsis);
        if (bounds.right - bounds.left <= room) break;
    }
    return THeapString(shown.data());
}
