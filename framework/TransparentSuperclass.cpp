// Transparent superclasses: the four classes and the forwarding, invalidating and background
// painting that edits, statics and buttons share.
#include "framework/TransparentSuperclass.h"

#include "foundation/SystemChecks.h"
#include "foundation/WindowBackground.h"
#include "framework/TransparentButton.h"

namespace {

TTransparentClass superclasses[] = {
    {"TransparentEdit", "EDIT", &TTransparentEditbox::PreWndProc},
    {"TransparentStatic", "STATIC", &TTransparentStatic::PreWndProc},
    {"TransparentButton", "BUTTON", &TTransparentButton::PreWndProc},
    {"TransparentPushButton", "BUTTON", &TTransparentButton::PreWndProc},
};

} // namespace

TTransparentClass& TransparentClass(TTransparentKind kind) { return superclasses[kind]; }

TTransparentClass* TransparentClassOf(HWND control)
{
    for (TTransparentClass& superclass : superclasses)
        if (superclass.IsClassOf(control)) return &superclass;
    return nullptr;
}

LRESULT ForwardTransparent(const TTransparentClass& superclass, HWND window, UINT message, WPARAM wParam,
                           LPARAM lParam)
{
    switch (message) {
    case WM_ENABLE:
        InvalidateUnderControl(window, 2);
        break;
    case WM_ERASEBKGND:
        // Leave the parent's picture where it is; a focused control erases as usual.
        if (GetFocus() != window) return 0;
        break;
    }
    return superclass.CallSystem(window, message, wParam, lParam);
}

void InvalidateUnderControl(HWND control, int grow)
{
    HWND parent = GetParent(control);
    if (!parent) return;
    RECT area;
    GetWindowRect(control, &area);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    InflateRect(&area, grow, grow);
    InvalidateRect(parent, &area, TRUE);
}

void PaintParentBackground(HWND control, HDC dc, const RECT& clip)
{
    FillRect(dc, &clip, GetSysColorBrush(COLOR_BTNFACE));
    TWindowBackground* background = ClientBackground();
    HWND parent = GetParent(control);
    if (!background || !parent || IsPaletteDevice(dc)) return;
    // The picture covers the shape's client area less its status bar.
    RECT area;
    GetClientRect(parent, &area);
    HWND statusBar = FindWindowExA(parent, nullptr, "msctls_statusbar32", nullptr);
    if (statusBar && IsWindowVisible(statusBar)) {
        RECT bar;
        GetWindowRect(statusBar, &bar);
        area.bottom -= bar.bottom - bar.top;
    }
    MapWindowPoints(parent, control, reinterpret_cast<POINT*>(&area), 2);
    background->PaintBackground(dc, area, clip);
}
