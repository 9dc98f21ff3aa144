// Transparent controls: registration, binding, the shared forwarding, edits and statics.
#include "framework/TransparentControls.h"

#include "foundation/Handles.h"
#include "foundation/HeapString.h"
#include "foundation/SystemChecks.h"
#include "foundation/WindowBackground.h"
#include "framework/HaloText.h"
#include "framework/TransparentSuperclass.h"
#include "framework/Window.h"
#include "framework/WindowBinding.h"

namespace {

TTransparentClass superclasses[] = {
    {"TransparentEdit", "EDIT", &TTransparentEditbox::PreWndProc},
    {"TransparentStatic", "STATIC", &TTransparentStatic::PreWndProc},
    {"TransparentButton", "BUTTON", &TTransparentButton::PreWndProc},
    {"TransparentPushButton", "BUTTON", &TTransparentButton::PreWndProc},
};

TTransparentClass* SuperclassOf(HWND control)
{
    for (TTransparentClass& superclass : superclasses)
        if (superclass.IsClassOf(control)) return &superclass;
    return nullptr;
}

void PaintEditbox(HWND window)
{
    TPaintDC dc(window);
    TSelection font(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)));
    SetTextColor(dc, GetSysColor(IsWindowEnabled(window) ? COLOR_WINDOWTEXT : COLOR_BTNSHADOW));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    THeapString text;
    TWindow::WindowTextOf(window, text);
    RECT client;
    GetClientRect(window, &client);
    DrawHaloLines(dc, client.left + 1, client.top, text, GetSysColor(COLOR_BTNFACE));
}

void PaintStatic(HWND window)
{
    TPaintDC dc(window);
    TSelection font(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    THeapString text;
    TWindow::WindowTextOf(window, text);
    DrawHaloText(dc, 0, 0, IsWindowEnabled(window) != FALSE, text);
}

LRESULT EditboxMessage(TTransparentControl& control, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateUnderControl(control.hwnd, 2);
        break;
    case WM_PAINT:
        PaintEditbox(control.hwnd);
        return 0;
    }
    return ForwardTransparent(superclasses[transparentEdit], control.hwnd, message, wParam, lParam);
}

LRESULT StaticMessage(TTransparentControl& control, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT) return ForwardTransparent(superclasses[transparentStatic], control.hwnd, message, wParam, lParam);
    PaintStatic(control.hwnd);
    return 0;
}

} // namespace

TTransparentClass& TransparentClass(TTransparentKind kind) { return superclasses[kind]; }

void RegisterTransparentClasses()
{
    for (TTransparentClass& superclass : superclasses) superclass.Register();
}

bool BindTransparentControl(HWND control, TTransparentControl* record)
{
    TTransparentClass* superclass = SuperclassOf(control);
    if (!superclass || !superclass->Registered() || !record) return false;
    superclass->Bind(control, *record);
    return true;
}

TTransparentControl::~TTransparentControl()
{
    if (TTransparentClass* superclass = SuperclassOf(hwnd)) superclass->Unbind(*this);
}

TTransparentControl* TransparentControlOf(HWND control)
{
    TTransparentClass* superclass = SuperclassOf(control);
    return superclass ? superclass->Object(control) : nullptr;
}

bool IsTransparentDefaultButton(HWND control)
{
    if (!superclasses[transparentPushButton].IsClassOf(control)) return false;
    TTransparentControl* record = TransparentControlOf(control);
    return record && record->isDefault;
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

LRESULT CALLBACK TTransparentEditbox::PreWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return superclasses[transparentEdit].Route(window, message, wParam, lParam, &EditboxMessage);
}

LRESULT CALLBACK TTransparentStatic::PreWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return superclasses[transparentStatic].Route(window, message, wParam, lParam, &StaticMessage);
}
