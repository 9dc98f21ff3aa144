// TOwnerDrawnItem: one item of an owner-drawn menu, with its icon, label and accelerator text.
#pragma once

#include <windows.h>

#include "foundation/Handles.h"
#include "foundation/HeapString.h"

class TIconSource;
class TOwnerDrawnMenu;

// The menu font of the non-client metrics and half the width of a full-width character in it.
class TMenuMetrics {
public:
    TMenuMetrics();
    void Reload();
    HFONT Font() const { return font; }
    int HalfWide() const { return halfWide; }

    TMenuMetrics(const TMenuMetrics&) = delete;
    TMenuMetrics& operator=(const TMenuMetrics&) = delete;

private:
    TOwnedFont font;
    int halfWide;
};

class TOwnerDrawnItem {
public:
    // `metrics` is borrowed from the menu object the item belongs to.
    TOwnerDrawnItem(UINT id, int position, const char* text, const TMenuMetrics* metrics);
    virtual ~TOwnerDrawnItem() = default;

    // An icon source of the icon caches (borrowed); null: no icon.
    void SetIcon(TIconSource* source) { icon = source; }
    // Measures label and accelerator text with the DC's font, which must be the menu font.
    void Measure(HDC dc, int screenWidth);
    void Draw(const DRAWITEMSTRUCT& item) const;

    UINT Id() const { return id; }
    int Position() const { return position; }
    const THeapString& Text() const { return text; }
    const THeapString& Label() const { return label; }
    const THeapString& Accelerator() const { return accelerator; }
    bool HasAccelerator() const { return hasAccelerator; }
    TIconSource* Icon() const { return icon; }
    int Width() const { return width; }
    int Height() const { return height; }
    SIZE LabelSize() const { return labelSize; }
    int AcceleratorWidth() const { return acceleratorWidth; }
    SIZE IconBox() const { return iconBox; }
    bool Large() const { return large; }
    // Where Draw puts the label and the accelerator text in an item's rectangle.
    int LabelLeft(const RECT& item) const;
    int AcceleratorLeft(const RECT& item) const;
    // The submenu object of a pop-up item; null for plain items.
    virtual TOwnerDrawnMenu* Submenu() const { return nullptr; }

    TOwnerDrawnItem(const TOwnerDrawnItem&) = delete;
    TOwnerDrawnItem& operator=(const TOwnerDrawnItem&) = delete;

private:
    void PaintBackground(HDC dc, const RECT& area, bool selected) const;
    void DrawIconSquare(HDC dc, const RECT& area, bool selected, bool grayed, bool checked) const;
    void DrawCaption(HDC dc, int x, int y, const char* line, bool selected, bool grayed) const;

    UINT id;
    int position;
    THeapString text;        // the whole caption
    THeapString label;       // before the first tab
    THeapString accelerator; // after the first tab
    bool hasAccelerator;
    TIconSource* icon;       // borrowed: owned by the icon caches
    const TMenuMetrics* metrics; // borrowed
    SIZE labelSize;
    int acceleratorWidth;
    SIZE iconBox;
    bool large;
    int width;
    int height;
};

// The item data of an owner-drawn menu item, or null when the item is not one.
TOwnerDrawnItem* OwnerDrawnItemAt(HMENU menu, int position);
