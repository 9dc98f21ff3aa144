// TTransparentButton: check boxes, radio buttons, group boxes and owner-drawn push buttons
// painted over the parent's background, with the default frame following the focus.
#pragma once

#include <windows.h>

class TTransparentButton {
public:
    static LRESULT CALLBACK PreWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Draws a button the way the library paints it over the parent's background.
    static void DrawButton(HWND control, HDC dc, bool enabled, bool checked, bool focused, bool pressed,
                           bool withoutDefaultFrame);

    // Lengths at 96 DPI: a group box's caption starts this far in, a check box's or radio
    // button's text this far right of its glyph's left edge.
    static const int GroupCaptionIndent = 9;
    static const int GlyphTextIndent = 18;
    // The push button's raised frame with the default button's black line: system edges, which
    // keep their width at every DPI.
    static const int PushFrame = 3;
};

// Where a transparent button of a type (BS_TYPEMASK) draws its parts, in client coordinates.
struct TButtonLayout {
    POINT text;  // the caption's top-left corner
    RECT icon;   // empty without an icon
    RECT glyph;  // the check box or radio glyph; empty for other types
    int edgeTop; // a group box's etched edge starts this far down
};
TButtonLayout LayOutButton(LONG type, const RECT& client, SIZE text, bool hasIcon, bool pressed);
// The narrowest push button in which a caption `textWidth` wide (and the icon) keeps clear of the frame.
int PushButtonWidthFor(int textWidth, bool hasIcon);

// Owner-drawn push buttons answer WM_DRAWITEM and WM_MEASUREITEM of type ODT_BUTTON reflected
// to them; the measuring for an item without a window of the shape is this. TRUE when handled.
BOOL DrawTransparentPushButton(const DRAWITEMSTRUCT& item);
BOOL MeasureTransparentPushButton(HWND shape, MEASUREITEMSTRUCT& item);
// The size the push-button element gives its buttons, for items without a window.
void SetTransparentPushButtonSize(int width, int height);
