// TOwnerDrawnItem: measuring and drawing one item of an owner-drawn menu.
#include "framework/OwnerDrawnItem.h"

#include <cstddef>
#include <cstring>

#include "foundation/IconSource.h"
#include "foundation/ScreenScale.h"
#include "foundation/SystemChecks.h"
#include "foundation/WindowBackground.h"
#include "framework/HaloText.h"

namespace {

// Lengths at 96 DPI: the icon column of a small item, of a large one, and the gap before the label.
const int smallBox = 19;
const int largeBox = 35;
const int labelGap = 2;
const char fullWidthCharacter[] = "全";

SIZE TextSize(HDC dc, const char* line)
{
    RECT bounds{0, 0, 0, 0};
    ::DrawTextA(dc, line, -1, &bounds, DT_CALCRECT);
    return SIZE{bounds.right - bounds.left, bounds.bottom - bounds.top};
}

int CentredOffset(int outer, int inner) { return outer > inner ? (outer - inner) / 2 : 0; }

// The whole pop-up menu window, so that the poster sits in the menu's corner and not in
// every item's; the item itself when the DC belongs to no menu window.
RECT BackgroundArea(HDC dc, const RECT& item)
{
    HWND window = WindowFromDC(dc);
    char className[16] = "";
    if (window) GetClassNameA(window, className, sizeof className);
    if (std::strcmp(className, "#32768") != 0) return item;
    RECT client;
    GetClientRect(window, &client);
    return client;
}

} // namespace

TMenuMetrics::TMenuMetrics() : halfWide(0) { Reload(); }

void TMenuMetrics::Reload()
{
    NONCLIENTMETRICSA metrics{};
    // The size of the oldest layout, which every system accepts.
    metrics.cbSize = static_cast<UINT>(offsetof(NONCLIENTMETRICSA, lfMessageFont) + sizeof metrics.lfMessageFont);
    HFONT newFont = nullptr;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        newFont = CreateFontIndirectA(&metrics.lfMenuFont);
    if (!newFont) return;
    font.Reset(newFont);
    TMemoryDC dc(CreateCompatibleDC(nullptr));
    TSelection selection(dc, font);
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc, fullWidthCharacter, static_cast<int>(std::strlen(fullWidthCharacter)), &size);
    halfWide = size.cx / 2;
}

TOwnerDrawnItem::TOwnerDrawnItem(UINT id, int position, const char* caption, const TMenuMetrics* metrics)
    : id(id), position(position), text(caption), hasAccelerator(false), icon(nullptr), metrics(metrics),
      labelSize{0, 0}, acceleratorWidth(0), iconBox(Scaled(SIZE{smallBox, smallBox})), large(false), width(0), height(0)
{
    const char* tab = std::strchr(text.Text(), '\t');
    if (!tab) {
        label = text;
        return;
    }
    label = THeapString(text.Text(), static_cast<int>(tab - text.Text()));
    accelerator = tab + 1;
    hasAccelerator = true;
}

// The accelerator text gets its own column after the label, a full-width character apart,
// so that it never runs into the label of the widest item.
void TOwnerDrawnItem::Measure(HDC dc, int screenWidth)
{
    const int halfWide = metrics ? metrics->HalfWide() : 0;
    iconBox = Scaled(SIZE{smallBox, smallBox});
    large = false;
    labelSize = TextSize(dc, label);
    acceleratorWidth = hasAccelerator ? TextSize(dc, accelerator).cx : 0;
    if (labelSize.cy >= Scaled(smallBox + 8)) {
        iconBox = Scaled(SIZE{largeBox, largeBox});
        large = true;
    }
    width = iconBox.cx + labelSize.cx + Scaled(labelGap) - halfWide;
    if (hasAccelerator) width += 2 * halfWide + acceleratorWidth;
    height = iconBox.cy > labelSize.cy ? iconBox.cy : labelSize.cy;
    if (width >= screenWidth / 2) width = screenWidth / 3;
}

void TOwnerDrawnItem::Draw(const DRAWITEMSTRUCT& item) const
{
    HDC dc = item.hDC;
    const RECT& area = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool grayed = (item.itemState & ODS_GRAYED) != 0;
    const bool checked = (item.itemState & ODS_CHECKED) != 0;
    PaintBackground(dc, area, selected);
    HGDIOBJ oldFont = metrics && metrics->Font() ? SelectObject(dc, metrics->Font()) : nullptr;
    COLORREF oldText = SetTextColor(dc, GetSysColor(!selected ? COLOR_MENUTEXT : grayed ? COLOR_GRAYTEXT : COLOR_HIGHLIGHTTEXT));
    COLORREF oldBack = SetBkColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    DrawIconSquare(dc, area, selected, grayed, checked);
    const int itemHeight = area.bottom - area.top;
    const int y = area.top + CentredOffset(itemHeight, labelSize.cy);
    DrawCaption(dc, LabelLeft(area), y, label, selected, grayed);
    if (hasAccelerator) DrawCaption(dc, AcceleratorLeft(area), y, accelerator, selected, grayed);
    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldText);
    if (oldFont) SelectObject(dc, oldFont);
}

int TOwnerDrawnItem::LabelLeft(const RECT& item) const { return item.left + iconBox.cx + Scaled(labelGap); }

int TOwnerDrawnItem::AcceleratorLeft(const RECT& item) const
{
    return item.right - acceleratorWidth - (metrics ? metrics->HalfWide() : 0);
}

void TOwnerDrawnItem::PaintBackground(HDC dc, const RECT& area, bool selected) const
{
    if (selected) {
        FillRect(dc, &area, GetSysColorBrush(COLOR_HIGHLIGHT));
        return;
    }
    FillRect(dc, &area, GetSysColorBrush(COLOR_MENU));
    if (!IsPaletteDevice(dc)) EnsureMenuBackground()->PaintBackground(dc, BackgroundArea(dc, area), area);
}

void TOwnerDrawnItem::DrawIconSquare(HDC dc, const RECT& area, bool selected, bool grayed, bool checked) const
{
    const int size = IconSizeOfKind(large ? 1 : 0);
    const int x = area.left + 1;
    const int y = area.top + CentredOffset(area.bottom - area.top, size);
    if (checked) {
        RECT square{x - 1, y - 1, x + size + 1, y + size + 1};
        FillRect(dc, &square, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
        DrawEdge(dc, &square, BDR_SUNKENOUTER, BF_RECT);
    }
    UINT state = !grayed ? DSS_NORMAL : selected ? DSS_MONO : DSS_DISABLED;
    HBRUSH brush = state == DSS_MONO ? GetSysColorBrush(COLOR_BTNSHADOW) : nullptr;
    if (icon) {
        HICON image = icon->Get(large ? 1 : 0);
        DrawStateA(dc, brush, nullptr, reinterpret_cast<LPARAM>(image), 0, x, y, size, size, DST_ICON | state);
    } else if (checked) {
        static HBITMAP checkMark = LoadBitmapA(nullptr, MAKEINTRESOURCEA(32760)); // OBM_CHECK
        BITMAP bitmap{};
        if (!checkMark || !GetObjectA(checkMark, sizeof bitmap, &bitmap)) return;
        DrawStateA(dc, brush, nullptr, reinterpret_cast<LPARAM>(checkMark), 0,
                   x + CentredOffset(size, bitmap.bmWidth), y + CentredOffset(size, bitmap.bmHeight),
                   bitmap.bmWidth, bitmap.bmHeight, DST_BITMAP | state);
    }
}

void TOwnerDrawnItem::DrawCaption(HDC dc, int x, int y, const char* line, bool selected, bool grayed) const
{
    if (!selected) {
        DrawHaloText(dc, x, y, !grayed, line);
        return;
    }
    int oldMode = SetBkMode(dc, TRANSPARENT);
    DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(line), 0, x, y, 0, 0, DST_PREFIXTEXT);
    SetBkMode(dc, oldMode);
}

TOwnerDrawnItem* OwnerDrawnItemAt(HMENU menu, int position)
{
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info)) return nullptr;
    if (!(info.fType & MFT_OWNERDRAW)) return nullptr;
    return reinterpret_cast<TOwnerDrawnItem*>(info.dwItemData);
}
