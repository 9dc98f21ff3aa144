// Halo text: the rim offsets around a text, for single prefixed lines and tabbed lines.
#include "framework/HaloText.h"

#include "foundation/CharText.h"
#include "foundation/ScreenScale.h"
#include "foundation/SystemChecks.h"

#include <cstring>

namespace {

// Every offset up to 2 pixels (at 96 DPI) away except the centre and the corners: a rounded rim.
template <typename Draw>
void ForEachHaloOffset(Draw draw)
{
    const int reach = Scaled(2);
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            const bool centre = dx == 0 && dy == 0;
            const bool round = dx * dx + dy * dy <= reach * reach + 1;
            if (!centre && round) draw(dx, dy);
        }
    }
}

void DrawPrefixText(HDC dc, int x, int y, const char* text, UINT extraFlags)
{
    DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(text), 0, x, y, 0, 0, DST_PREFIXTEXT | extraFlags);
}

// Draws each line (an empty one as a space) and returns nothing; lines advance by the height
// that the text output reports.
void DrawTabbedLines(HDC dc, int x, int y, const char* text)
{
    const int length = static_cast<int>(std::strlen(text));
    int position = 0;
    do {
        const int lineLength = LineLength(length - position, text + position);
        const char* line = lineLength > 0 ? text + position : " ";
        const DWORD extent = TabbedTextOutA(dc, x, y, line, lineLength > 0 ? lineLength : 1, 0, nullptr, x);
        y += HIWORD(extent);
        const int span = LineSpan(length - position, text + position);
        if (span == lineLength) break; // the last line has no break after it
        position += span;
    } while (position <= length);
}

} // namespace

void DrawHaloText(HDC dc, int x, int y, bool enabled, const char* text)
{
    if (!text) text = "";
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    const bool palette = IsPaletteDevice(dc);
    if (!palette) {
        const COLORREF textColor = SetTextColor(dc, GetBkColor(dc));
        ForEachHaloOffset([&](int dx, int dy) { DrawPrefixText(dc, x + dx, y + dy, text, 0); });
        SetTextColor(dc, textColor);
    }
    if (enabled) {
        DrawPrefixText(dc, x, y, text, 0);
    } else if (!palette) {
        DrawPrefixText(dc, x, y, text, DSS_DISABLED);
    } else {
        const COLORREF textColor = SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
        DrawPrefixText(dc, x, y, text, 0);
        SetTextColor(dc, textColor);
    }
    SetBkMode(dc, previousMode);
}

void DrawHaloLines(HDC dc, int x, int y, const char* text, COLORREF haloColor)
{
    if (!text) text = "";
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    if (!IsPaletteDevice(dc)) {
        const COLORREF textColor = SetTextColor(dc, haloColor);
        ForEachHaloOffset([&](int dx, int dy) { DrawTabbedLines(dc, x + dx, y + dy, text); });
        SetTextColor(dc, textColor);
    }
    DrawTabbedLines(dc, x, y, text);
    SetBkMode(dc, previousMode);
}
