// Transparent superclasses: the four classes and the forwarding they share.
#pragma once

#include "framework/TransparentControls.h"
#include "framework/WindowBinding.h"

using TTransparentClass = TBoundSuperclass<TTransparentControl, &TTransparentControl::hwnd>;

enum TTransparentKind { transparentEdit, transparentStatic, transparentButton, transparentPushButton };

TTransparentClass& TransparentClass(TTransparentKind kind);
// The class of a transparent control; null for any other window.
TTransparentClass* TransparentClassOf(HWND control);
// The common handling: WM_ENABLE and WM_ERASEBKGND, everything else to the system class.
LRESULT ForwardTransparent(const TTransparentClass& superclass, HWND window, UINT message, WPARAM wParam,
                           LPARAM lParam);
// Invalidates (erasing) the parent's area under the control, grown by `grow` pixels.
void InvalidateUnderControl(HWND control, int grow);
// Repaints `clip` (control coordinates) with what the parent shows there: the face colour and,
// on displays without a palette, the shared background picture.
void PaintParentBackground(HWND control, HDC dc, const RECT& clip);
