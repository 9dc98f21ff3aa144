// TListElement: the registry persistence of a caller-owned list of texts and a selected text.
#pragma once

#include "controls/Element.h"
#include "foundation/HeapStringList.h"

// Under the shape key: a subkey named by the element holding "000000", "000001", ... (REG_SZ,
// in list order), and "SelectText" in the shape key itself. Derived lists supply the window.
class TListElement : public TElement {
public:
    TListElement(int dock, int width, int height, THeapStringList* items, THeapString* selectedText);
    ~TListElement() override;

    void Save(TRegistryStore& key) override;
    void Load(TRegistryStore& key) override;
    SIZE Measure(TShape* shape, HDC dc) override;
    void Place(TShape* shape, int x, int y) override;

    // The steps of saving, in the order Save runs them. Items are written over the stored
    // ones first and the surplus values removed afterwards, so that an interrupted save
    // never loses an entry that was stored.
    static bool WriteItems(TRegistryStore& list, const THeapStringList& items, int count); // all written
    static void RemoveValuesAfter(TRegistryStore& list, int count);
    static THeapString ValueName(int index); // "%6.6d"

protected:
    int width;  // of the list at 96 DPI
    int height;
    THeapStringList* items;    // borrowed: the caller's list
    THeapString* selectedText; // borrowed: the caller's text
    HWND window;               // borrowed: the derived class's control, a child of the shape
};
