// Transparent controls: registration, binding, the shared forwarding, edits and statics.
#include "framework/TransparentControls.h"

#include "foundation/HeapString.h"
#include "foundation/SystemChecks.h"
#include "foundation/WindowBackground.h"
#include "framework/HaloText.h"
#include "framework/TransparentSuperclass.h"
#include "framework/Window.h"

namespace {

TTransparentSuperclass superclasses[] = {
    {"TransparentEdit", "EDIT", &TTransparentEditbox::PreWndProc, nullptr, 0},
    {"TransparentStatic", "STATIC", &TTransparentStatic::PreWndProc, nullptr, 0},
    {"TransparentButton", "BUTTON", &TTransparentButton::PreWndProc, nullptr, 0},
    {"TransparentPushButton", "BUTTON", &TTransparentButton::PreWndProc, nullptr, 0},
};

void RegisterSuperclass(TTransparentSuperclass& superclass)
{
    TWindow::RegisterSuperclass(superclass.systemName, superclass.name, superclass.hook, superclass.systemProc,
                                superclass.appendedIndex);
}

TTransparentSuperclass* SuperclassOf(HWND control)
{
    char name[64];
    if (!control || GetClassNameA(control, name, sizeof name) <= 0) return nullptr;
    for (TTransparentSuperclass& superclass : superclasses) {
        if (lstrcmpiA(name, superclass.name) == 0) return &superclass;
    }
    return nullptr;
}

void PaintEditbox(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    HGDIOBJ previousFont = font ? SelectObject(dc, font) : nullptr;
    SetTextColor(dc, GetSysColor(IsWindowEnabled(window) ? COLOR_WINDOWTEXT : COLOR_BTNSHADOW));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    THeapString text;
    TWindow::WindowTextOf(window, text);
    RECT client;
    GetClientRect(window, &client);
    DrawHaloLines(dc, client.left + 1, client.top, text, GetSysColor(COLOR_BTNFACE));
    if (previousFont) SelectObject(dc, previousFont);
    EndPaint(window, &paint);
}

void PaintStatic(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    HGDIOBJ previousFont = font ? SelectObject(dc, font) : nullptr;
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    THeapString text;
    TWindow::WindowTextOf(window, text);
    DrawHaloText(dc, 0, 0, IsWindowEnabled(window) != FALSE, text);
    if (previousFont) SelectObject(dc, previousFont);
    EndPaint(window, &paint);
}

} // namespace

TTransparentSuperclass& TransparentSuperclass(TTransparentKind kind) { return superclasses[kind]; }

void RegisterTransparentClasses()
{
    for (TTransparentSuperclass& superclass : superclasses) {
        if (!superclass.systemProc) RegisterSuperclass(superclass);
    }
}

bool BindTransparentControl(HWND control, TTransparentControl* record)
{
    TTransparentSuperclass* superclass = SuperclassOf(control);
    if (!superclass || !superclass->systemProc) return false;
    if (record) record->hwnd = control;
    SetWindowLongPtrA(control, superclass->appendedIndex, reinterpret_cast<LONG_PTR>(record));
    return true;
}

TTransparentControl* TransparentControlOf(HWND control)
{
    TTransparentSuperclass* superclass = SuperclassOf(control);
    return superclass ? BoundRecord(control, *superclass) : nullptr;
}

bool IsTransparentDefaultButton(HWND control)
{
    if (SuperclassOf(control) != &superclasses[transparentPushButton]) return false;
    TTransparentControl* record = TransparentControlOf(control);
    return record && record->isDefault;
}

TTransparentControl* BoundRecord(HWND control, const TTransparentSuperclass& superclass)
{
    if (!superclass.systemProc) return nullptr;
    return reinterpret_cast<TTransparentControl*>(GetWindowLongPtrA(control, superclass.appendedIndex));
}

LRESULT CallSystemProc(const TTransparentSuperclass& superclass, HWND window, UINT message, WPARAM wParam,
                       LPARAM lParam)
{
    if (!superclass.systemProc) return DefWindowProcA(window, message, wParam, lParam);
    return CallWindowProcA(superclass.systemProc, window, message, wParam, lParam);
}

LRESULT ForwardTransparent(const TTransparentSuperclass& superclass, HWND window, UINT message, WPARAM wParam,
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
    return CallSystemProc(superclass, window, message, wParam, lParam);
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
    const TTransparentSuperclass& superclass = superclasses[transparentEdit];
    if (!BoundRecord(window, superclass)) return CallSystemProc(superclass, window, message, wParam, lParam);
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateUnderControl(window, 2);
        break;
    case WM_PAINT:
        PaintEditbox(window);
        return 0;
    }
    return ForwardTransparent(superclass, window, message, wParam, lParam);
}

LRESULT CALLBACK TTransparentStatic::PreWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const TTransparentSuperclass& superclass = superclasses[transparentStatic];
    if (!BoundRecord(window, superclass)) return CallSystemProc(superclass, window, message, wParam, lParam);
    if (message == WM_PAINT) {
        PaintStatic(window);
        return 0;
    }
    return ForwardTransparent(superclass, window, message, wParam, lParam);
}
