// TWindowBackground: the wallpaper and poster painted behind shapes and owner-drawn menus.
#pragma once

#include "foundation/Handles.h"
#include "foundation/HeapString.h"
#include "foundation/WindowBackgroundDib.h"

#include <windows.h>

// What a background is painted on; it decides the colour the poster is recoloured to.
enum TBackgroundKind {
    backgroundForShapes = 0, // COLOR_BTNFACE
    backgroundForMenus = 1,  // COLOR_MENU
};

// The settings of a background, named as their values in the "WallPaper" section.
struct TBackgroundSettings {
    bool withWallPaper = false;  // "WithWallPaper"
    THeapString wallPaperFileName; // "WallPaperFileName": a ".bmp" file
    int wallStyle = 2;           // "WallStyle": 1 stretch, 2 tile, 3 block, 4 hex
    bool withPoster = true;      // "WithPoster"
    THeapString posterFileName;  // "PosterFileName"; empty: the built-in logo
    int posterX = 4;             // "PosterX": 0 left edge ... 2 centre ... 4 right edge
    int posterY = 4;             // "PosterY": 0 top edge ... 2 centre ... 4 bottom edge
};

class TWindowBackground {
public:
    explicit TWindowBackground(TBackgroundKind kind = backgroundForShapes);
    ~TWindowBackground();
    TWindowBackground(const TWindowBackground&) = delete;
    TWindowBackground& operator=(const TWindowBackground&) = delete;

    // The program's fixed settings, then the bitmaps; again after a colour change.
    void LoadBackground();
    void LoadBackground(TBackgroundKind newKind);
    // Other settings (a settings panel, tests); loads the bitmaps they name.
    void ApplySettings(const TBackgroundSettings& newSettings);

    // Paints `area` (the whole surface, in the DC's coordinates) where it meets `clip`,
    // through a memory bitmap so that nothing flickers.
    void PaintBackground(HDC dc, const RECT& area, const RECT& clip);
    void PaintBackground(HDC dc, const RECT& area) { PaintBackground(dc, area, area); }

    const TBackgroundSettings& Settings() const { return settings; }
    TBackgroundKind Kind() const { return kind; }
    bool HasWallPaper() const { return wallPaper.IsLoaded(); }
    bool HasPoster() const { return poster.IsLoaded(); }
    // The colour the poster's background entry takes, and the one its picture takes.
    COLORREF FaceColor() const;
    COLORREF HalfHighlightColor() const;

    // The poster's offset along one axis for a position 0 to 4 and the slack (area - bitmap).
    static int PosterOffset(int position, int slack);

private:
    void LoadBitmaps();
    void LoadPoster();
    void MakePalette();
    void PaintWallPaper(HDC target, HDC source, const RECT& area, const RECT& clip) const;
    void PaintTiles(HDC target, HDC source, const RECT& area, const RECT& clip) const;
    void PaintPoster(HDC target, HDC source, const RECT& area) const;

    TBackgroundKind kind;
    TBackgroundSettings settings;
    TBackgroundDib wallPaper;
    TBackgroundDib poster;
    TOwnedPalette palette; // null when no bitmap carries colours
};

// The two shared painters, for shape client areas and for owner-drawn menus. Each is made on
// first use and lives until DeleteSharedBackgrounds (run at teardown).
TWindowBackground* ClientBackground();       // null until created
TWindowBackground* EnsureClientBackground(); // creates and loads it when missing
TWindowBackground* MenuBackground();
TWindowBackground* EnsureMenuBackground();
void ReloadSharedBackgrounds();              // both, e.g. after the system colours changed
void DeleteSharedBackgrounds();
