// TBackgroundDib: a device-independent bitmap of the window background, kept as a packed DIB.
#pragma once

#include <windows.h>

#include <vector>

#include "foundation/Handles.h"

// The packed form (header, colour table, bits) is kept so that the colour table can be
// changed and the bitmap rebuilt from it.
class TBackgroundDib {
public:
    TBackgroundDib() = default;
    ~TBackgroundDib();
    TBackgroundDib(const TBackgroundDib&) = delete;
    TBackgroundDib& operator=(const TBackgroundDib&) = delete;

    // Each replaces the contents; false (and empty) when the source is missing or malformed.
    bool LoadFile(const char* path);
    bool LoadResource(HMODULE module, const char* name);
    bool LoadPacked(const void* packed, size_t size);
    void Clear();

    bool IsLoaded() const { return bitmap != nullptr; }
    HBITMAP Bitmap() const { return bitmap; }
    int Width() const { return width; }
    int Height() const { return height; }

    int ColorCount() const { return colorCount; }
    COLORREF Color(int index) const;
    // Changes one entry of the colour table; Rebuild makes the bitmap show it.
    void SetColor(int index, COLORREF color);
    bool Rebuild();

    // Adds the colour-table entries to `entries` (for a palette); nothing for true colour.
    void AppendPaletteEntries(std::vector<PALETTEENTRY>& entries) const;

private:
    RGBQUAD* Table();
    const RGBQUAD* Table() const;

    std::vector<unsigned char> packed; // header, colour table and bits
    TOwnedBitmap bitmap;               // DIB section built from `packed`
    int width = 0;
    int height = 0;
    int colorCount = 0;
};
