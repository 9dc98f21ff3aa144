// TWindowBackground: loading the wallpaper and poster bitmaps and painting them off-screen.
#include "foundation/WindowBackground.h"

#include "foundation/ProcessEntry.h"

#include <vector>

namespace {

const char builtInPoster[] = "MORVISAT_SINCE_1992";

HMODULE ProgramModule()
{
    HINSTANCE instance = ProgramInstance();
    return instance ? instance : GetModuleHandleA(nullptr);
}

bool Meets(const RECT& clip, int left, int top, int width, int height)
{
    return left < clip.right && top < clip.bottom && left + width > clip.left && top + height > clip.top;
}

TWindowBackground* clientBackground = nullptr; // owned
TWindowBackground* menuBackground = nullptr;   // owned
bool teardownRegistered = false;

TWindowBackground* EnsureShared(TWindowBackground*& slot, TBackgroundKind kind)
{
    if (!slot) {
        if (!teardownRegistered) AtProcessTeardown(DeleteSharedBackgrounds);
        teardownRegistered = true;
        slot = new TWindowBackground(kind);
        slot->LoadBackground();
    }
    return slot;
}

} // namespace

TWindowBackground::TWindowBackground(TBackgroundKind kind) : kind(kind) {}

TWindowBackground::~TWindowBackground() = default;

void TWindowBackground::LoadBackground() { ApplySettings(TBackgroundSettings()); }

void TWindowBackground::LoadBackground(TBackgroundKind newKind)
{
    kind = newKind;
    LoadBackground();
}

void TWindowBackground::ApplySettings(const TBackgroundSettings& newSettings)
{
    settings = newSettings;
    LoadBitmaps();
}

COLORREF TWindowBackground::FaceColor() const
{
    return GetSysColor(kind == backgroundForMenus ? COLOR_MENU : COLOR_BTNFACE);
}

COLORREF TWindowBackground::HalfHighlightColor() const
{
    const COLORREF face = FaceColor();
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    return RGB((GetRValue(face) + GetRValue(highlight)) / 2, (GetGValue(face) + GetGValue(highlight)) / 2,
               (GetBValue(face) + GetBValue(highlight)) / 2);
}

void TWindowBackground::LoadBitmaps()
{
    wallPaper.Clear();
    poster.Clear();
    if (settings.withWallPaper) wallPaper.LoadFile(settings.wallPaperFileName);
    if (settings.withPoster) LoadPoster();
    MakePalette();
}

void TWindowBackground::LoadPoster()
{
    if (settings.posterFileName.IsEmpty()) {
        if (!poster.LoadResource(ProgramModule(), builtInPoster)) return;
        poster.SetColor(0, GetSysColor(COLOR_WINDOW));
    } else if (!poster.LoadFile(settings.posterFileName)) {
        return;
    }
    // A faint watermark: the ground in the face colour, the picture a little lighter.
    poster.SetColor(0, FaceColor());
    poster.SetColor(1, HalfHighlightColor());
    if (!poster.Rebuild()) poster.Clear();
}

void TWindowBackground::MakePalette()
{
    palette.Reset();
    std::vector<PALETTEENTRY> entries;
    wallPaper.AppendPaletteEntries(entries);
    poster.AppendPaletteEntries(entries);
    if (entries.empty()) return;
    if (entries.size() > 256) entries.resize(256);
    std::vector<unsigned char> storage(sizeof(LOGPALETTE) + entries.size() * sizeof(PALETTEENTRY));
    LOGPALETTE* logical = reinterpret_cast<LOGPALETTE*>(storage.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = static_cast<WORD>(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) logical->palPalEntry[i] = entries[i];
    palette.Reset(CreatePalette(logical));
}

int TWindowBackground::PosterOffset(int position, int slack)
{
    // A poster that does not fit is centred rather than shifted by a quarter.
    if (slack <= 0 && (position == 1 || position == 3)) position = 2;
    if (position < 0 || position > 4) return 0;
    return slack * position / 4;
}

void TWindowBackground::PaintBackground(HDC dc, const RECT& area, const RECT& clip)
{
    const int width = clip.right - clip.left;
    const int height = clip.bottom - clip.top;
    if (!dc || width <= 0 || height <= 0) return;
    const TMemoryDC memory(CreateCompatibleDC(dc));
    const TMemoryDC source(CreateCompatibleDC(dc));
    const TOwnedBitmap canvas(CreateCompatibleBitmap(dc, width, height));
    if (!memory || !source || !canvas) return;
    TSelection canvasSelection(memory, canvas);
    BitBlt(memory, 0, 0, width, height, dc, clip.left, clip.top, SRCCOPY);
    {
        TPaletteSelection paletteSelection(memory, palette, FALSE);
        if (palette) RealizePalette(memory);
        // Draw in the surface's coordinates; the canvas starts at the clip's corner.
        POINT origin;
        SetViewportOrgEx(memory, -clip.left, -clip.top, &origin);
        PaintWallPaper(memory, source, area, clip);
        PaintPoster(memory, source, area);
        SetViewportOrgEx(memory, origin.x, origin.y, nullptr);
    }
    BitBlt(dc, clip.left, clip.top, width, height, memory, 0, 0, SRCCOPY);
}

void TWindowBackground::PaintWallPaper(HDC target, HDC source, const RECT& area, const RECT& clip) const
{
    if (!wallPaper.IsLoaded()) return;
    TSelection selection(source, wallPaper.Bitmap());
    if (settings.wallStyle == 1) {
        const int previousMode = SetStretchBltMode(target, COLORONCOLOR);
        StretchBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, source, 0, 0,
                   wallPaper.Width(), wallPaper.Height(), SRCCOPY);
        SetStretchBltMode(target, previousMode);
        return;
    }
    PaintTiles(target, source, area, clip);
}

// Tile, block and hex: whole tiles around a reference tile centred in the area, so that
// the pattern is symmetric about the centre.
void TWindowBackground::PaintTiles(HDC target, HDC source, const RECT& area, const RECT& clip) const
{
    const int w = wallPaper.Width();
    const int h = wallPaper.Height();
    int startX = area.left + (area.right - area.left - w) / 2;
    int startY = area.top + (area.bottom - area.top - h) / 2;
    int column = 0; // of the start, counted from the reference tile
    int row = 0;
    while (startX > area.left) startX -= w, --column;
    while (startY > area.top) startY -= h, --row;
    const bool hex = settings.wallStyle == 4;
    const bool block = settings.wallStyle == 3;
    // Shifted rows (block) and columns (hex) move left or up, so they run one tile further.
    for (int y = startY, r = row; y <= area.bottom + (hex ? h : 0); y += h, ++r) {
        for (int x = startX, c = column; x <= area.right + (block ? w : 0); x += w, ++c) {
            const int left = x - (block && (r & 1) ? w / 2 : 0);
            const int top = y - (hex && (c & 1) ? h / 2 : 0);
            if (Meets(clip, left, top, w, h)) BitBlt(target, left, top, w, h, source, 0, 0, SRCCOPY);
        }
    }
}

void TWindowBackground::PaintPoster(HDC target, HDC source, const RECT& area) const
{
    if (!poster.IsLoaded()) return;
    TSelection selection(source, poster.Bitmap());
    const int x = area.left + PosterOffset(settings.posterX, area.right - area.left - poster.Width());
    const int y = area.top + PosterOffset(settings.posterY, area.bottom - area.top - poster.Height());
    BitBlt(target, x, y, poster.Width(), poster.Height(), source, 0, 0, SRCCOPY);
}

TWindowBackground* ClientBackground() { return clientBackground; }

TWindowBackground* EnsureClientBackground() { return EnsureShared(clientBackground, backgroundForShapes); }

TWindowBackground* MenuBackground() { return menuBackground; }

TWindowBackground* EnsureMenuBackground() { return EnsureShared(menuBackground, backgroundForMenus); }

void ReloadSharedBackgrounds()
{
    if (clientBackground) clientBackground->LoadBackground();
    if (menuBackground) menuBackground->LoadBackground();
}

void DeleteSharedBackgrounds()
{
    delete clientBackground;
    clientBackground = nullptr;
    delete menuBackground;
    menuBackground = nullptr;
}
