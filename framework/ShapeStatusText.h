// TShapeStatusText: the menu-help text a shape draws into its status bar's owner-drawn part.
#pragma once

#include <windows.h>

#include "foundation/HeapString.h"

class TShapeStatusText {
public:
    TShapeStatusText();
    // The help text of a menu item (empty: no icon either) and whether the item is enabled.
    void SetHelp(const char* text, bool itemEnabled);
    const THeapString& Text() const { return text; }
    bool ItemEnabled() const { return itemEnabled; }
    bool ShowsIcon() const { return showsIcon; }
    // WM_DRAWITEM of the status bar part.
    void Draw(const DRAWITEMSTRUCT& item) const;

private:
    bool itemEnabled;
    THeapString text;
    bool showsIcon; // the information icon goes before the text
};
