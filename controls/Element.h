// TElement: the layout element that fills a shape, with its operations in slot order.
#pragma once

#include <windows.h>

#include "foundation/HeapString.h"
#include "foundation/RegistryStore.h"

class TShape;

enum TDockSide { DockLeft = 0, DockRight = 1, DockTop = 2, DockBottom = 3, DockFill = 4 };
// Where an element sits inside the strip it is given.
enum TAlignment {
    AlignLeftCentred = 0,
    AlignRightCentred = 1,
    AlignTopCentred = 2,
    AlignBottomCentred = 3,
    AlignCentred = 4
};

class TElement {
public:
    TElement(int dock = DockFill, int alignment = AlignCentred);
    TElement(const TElement&) = delete;
    TElement& operator=(const TElement&) = delete;

    virtual void Save(TRegistryStore& key);
    virtual void Load(TRegistryStore& key);
    virtual ~TElement();
    virtual void SetSpacing(int x, int y);
    virtual SIZE Measure(TShape* shape, HDC dc) = 0;
    // Creates the element's windows with their top-left corner at (x, y).
    virtual void Place(TShape* shape, int x, int y) = 0;
    virtual void Ended(int resultCode);
    virtual void Paint(TShape* shape, HDC dc);
    virtual bool Command(int id, HWND window, int code);
    virtual bool ContextMenu(HWND window, int x, int y);
    virtual bool Notify(int id, NMHDR* header);
    virtual bool HScroll(HWND bar, int code, int position);
    virtual void Enable(bool enabled);
    virtual void RefreshFromData();
    virtual void RefreshToData();

    THeapString name; // the registry value or subkey name when the element persists
    int dock;
    int alignment;
};

// A caption's size on one line in the DC's font, with its access-key marker as the shape shows
// it (Measure runs before the keys are assigned); 0 x 0 without a DC.
SIZE MeasureCaption(TShape* shape, HDC dc, const char* caption);
