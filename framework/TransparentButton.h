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
};

// Owner-drawn push buttons answer WM_DRAWITEM and WM_MEASUREITEM of type ODT_BUTTON reflected
// to them; the measuring for an item without a window of the shape is this. TRUE when handled.
BOOL DrawTransparentPushButton(const DRAWITEMSTRUCT& item);
BOOL MeasureTransparentPushButton(HWND shape, MEASUREITEMSTRUCT& item);
// The size the push-button element gives its buttons, for items without a window.
void SetTransparentPushButtonSize(int width, int height);
