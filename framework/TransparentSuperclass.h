// Transparent superclasses: the registration record of each class and the forwarding they share.
#pragma once

#include "framework/TransparentControls.h"

// One superclass: its name, the system class it builds on, and what that class brought.
struct TTransparentSuperclass {
    const char* name;
    const char* systemName;
    WNDPROC hook;
    WNDPROC systemProc;     // the system class's own procedure
    int appendedIndex;      // the system class's own extra bytes: where the record lives
};

enum TTransparentKind { transparentEdit, transparentStatic, transparentButton, transparentPushButton };

TTransparentSuperclass& TransparentSuperclass(TTransparentKind kind);
// The record at the superclass's appended index; null until bound.
TTransparentControl* BoundRecord(HWND control, const TTransparentSuperclass& superclass);
LRESULT CallSystemProc(const TTransparentSuperclass& superclass, HWND window, UINT message, WPARAM wParam,
                       LPARAM lParam);
// The common handling: WM_ENABLE and WM_ERASEBKGND, everything else to the system class.
LRESULT ForwardTransparent(const TTransparentSuperclass& superclass, HWND window, UINT message, WPARAM wParam,
                           LPARAM lParam);
// Invalidates (erasing) the parent's area under the control, grown by `grow` pixels.
void InvalidateUnderControl(HWND control, int grow);
// Repaints `clip` (control coordinates) with what the parent shows there: the face colour and,
// on displays without a palette, the shared background picture.
void PaintParentBackground(HWND control, HDC dc, const RECT& clip);
