// Transparent controls: registration, binding, edits and statics.
#include "framework/TransparentControls.h"

#include <initializer_list>

#include "foundation/Handles.h"
#include "foundation/HeapString.h"
#include "framework/HaloText.h"
#include "framework/TransparentSuperclass.h"
#include "framework/Window.h"
#include "framework/WindowBinding.h"

namespace {

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
    return ForwardTransparent(TransparentClass(transparentEdit), control.hwnd, message, wParam, lParam);
}

LRESULT StaticMessage(TTransparentControl& control, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT) return ForwardTransparent(TransparentClass(transparentStatic), control.hwnd, message, wParam, lParam);
    PaintStatic(control.hwnd);
    return 0;
}

} // namespace

void RegisterTransparentClasses()
{
    for (TTransparentKind kind : {transparentEdit, transparentStatic, transparentButton, transparentPushButton})
        TransparentClass(kind).Register();
}

bool BindTransparentControl(HWND control, TTransparentControl* record)
{
    TTransparentClass* superclass = TransparentClassOf(control);
    if (!superclass || !superclass->Registered() || !record) return false;
    superclass->Bind(control, *record);
    return true;
}

TTransparentControl::~TTransparentControl()
{
    if (TTransparentClass* superclass = TransparentClassOf(hwnd)) superclass->Unbind(*this);
}

TTransparentControl* TransparentControlOf(HWND control)
{
    TTransparentClass* superclass = TransparentClassOf(control);
    return superclass ? superclass->Object(control) : nullptr;
}

bool IsTransparentDefaultButton(HWND control)
{
    if (!TransparentClass(transparentPushButton).IsClassOf(control)) return false;
    TTransparentControl* record = TransparentControlOf(control);
    return record && record->isDefault;
}

LRESULT CALLBACK TTransparentEditbox::PreWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return TransparentClass(transparentEdit).Route(window, message, wParam, lParam, &EditboxMessage);
}

LRESULT CALLBACK TTransparentStatic::PreWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return TransparentClass(transparentStatic).Route(window, message, wParam, lParam, &StaticMessage);
}
