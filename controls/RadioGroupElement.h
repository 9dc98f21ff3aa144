// TRadioGroupElement: radio buttons over one integer, in columns, with companions and an optional frame.
#pragma once

#include <vector>

#include "controls/Element.h"
#include "framework/TransparentControls.h"

// One choice of a radio group; it stays the caller's.
struct TRadioItem {
    TRadioItem(int value, const char* caption, TElement* companion = nullptr);

    int value;                    // what the group's value becomes when the item is chosen
    THeapString caption;          // display text
    TTransparentControl control;  // the radio button, bound to it
    TElement* companion;          // borrowed: enabled only while the item is selected
    SIZE companionSize;
};

class TRadioGroupElement : public TElement {
public:
    // Items null-terminated; the value starts as, and defaults to, `defaultValue`.
    TRadioGroupElement(int defaultValue, TRadioItem* first, ...);
    TRadioGroupElement(int defaultValue, TRadioItem* const* items);
    ~TRadioGroupElement() override;

    int Value() const { return selected; }
    void SetValue(int value) { selected = value; }
    void SetFrameCaption(const char* text);
    void SetColumns(int count) { columns = count > 0 ? count : 1; }
    void SetItemWidth(int width) { itemWidth = width; }
    void SetWidthFollowsCaptions(bool flag) { widthFollowsCaptions = flag ? 1 : 0; }
    int Rows() const;
    int ItemCount() const { return static_cast<int>(items.size()); }
    TRadioItem& Item(int index) const { return *items[index]; }
    HWND Frame() const { return frame; }

    void Save(TRegistryStore& key) override;
    void Load(TRegistryStore& key) override;
    SIZE Measure(TShape* shape, HDC dc) override;
    void Place(TShape* shape, int x, int y) override;
    void Ended(int resultCode) override;
    bool Command(int id, HWND window, int code) override;
    void Enable(bool enabled) override;
    void RefreshFromData() override;
    void RefreshToData() override;

    // Lengths at 96 DPI.
    static const int ItemHeight = 18;
    static const int ColumnGap = 6;
    static const int CompanionOffset = 18;

private:
    void Init(int defaultValue);
    int ColumnOf(int index) const { return index / Rows(); }
    int RowOf(int index) const { return index % Rows(); }
    void MeasureCaptions(TShape* shape, HDC dc);
    void MeasureCompanions(TShape* shape, HDC dc);
    POINT ItemOrigin(int index) const; // relative to the first button's
    void Select(int value); // check marks and companions follow

    unsigned char widthFollowsCaptions;
    int itemWidth;                  // at 96 DPI unless it follows the captions
    SIZE item;                      // a button's window, in pixels; set by measuring
    std::vector<TRadioItem*> items; // borrowed
    THeapString frameCaption;       // display text; empty: an invisible frame
    HWND frame;                     // borrowed: a child of the shape
    int selected;
    int defaultValue;
    int columns;
    SIZE measured;
    std::vector<int> columnExtra; // rebuilt at every measuring
    std::vector<int> rowExtra;
    bool enabled;
};
