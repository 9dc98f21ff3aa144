// TComboEdit: the edit superclass, its binding, and the keys and messages it passes on.
#include "filelists/ComboEdit.h"

#include <shellapi.h>

#include "filelists/ComboboxElement.h"
#include "framework/Window.h"

namespace {

const DWORD editStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;

} // namespace

const char* const TComboEdit::ClassName = "VantryComboEdit";

TBoundSuperclass<TComboEdit, &TComboEdit::edit> TComboEdit::superclass{ClassName, "EDIT", &TComboEdit::PreWndProc};

TComboEdit::~TComboEdit() { superclass.Unbind(*this); }

void TComboEdit::RegisterClass() { superclass.Register(); }

LRESULT CALLBACK TComboEdit::PreWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return superclass.Route(window, message, wParam, lParam,
                            [](TComboEdit& self, UINT message, WPARAM wParam, LPARAM lParam) {
                                return self.WindowProc(message, wParam, lParam);
                            });
}

void TComboEdit::Create(HWND shape, const char* text, int id)
{
    RegisterClass();
    edit = CreateWindowExA(0, ClassName, text, editStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, shape, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           TWindow::ModuleInstance(), nullptr);
    if (!edit) return;
    superclass.Bind(edit, *this);
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    DragAcceptFiles(edit, TRUE);
}

// Unbound first: the focus leaving a window on its way out must not reach the combo.
void TComboEdit::Destroy()
{
    HWND window = edit;
    superclass.Unbind(*this);
    if (window && IsWindow(window)) DestroyWindow(window);
}

LRESULT TComboEdit::CallSystem(UINT message, WPARAM wParam, LPARAM lParam)
{
    return superclass.CallSystem(edit, message, wParam, lParam);
}

LRESULT TComboEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
        if (KeyDown(wParam, lParam)) return 0;
        break;
    case WM_DROPFILES:
        return SendMessageA(owner->Frame(), message, wParam, lParam);
    case WM_VSCROLL:
        if (owner->ListWindow()) SendMessageA(owner->ListWindow(), message, wParam, 0);
        return 0;
    case WM_KILLFOCUS:
        // The list never takes the focus, so leaving the edit means leaving the combo.
        owner->CloseList();
        break;
    default:
        break;
    }
    return CallSystem(message, wParam, lParam);
}

bool TComboEdit::KeyDown(WPARAM key, LPARAM lParam)
{
    switch (key) {
    case VK_F4:
        owner->ToggleList();
        return true;
    case VK_PRIOR:
    case VK_NEXT:
    case VK_UP:
    case VK_DOWN:
        if (owner->ListWindow()) SendMessageA(owner->ListWindow(), WM_KEYDOWN, key, lParam);
        return true;
    default:
        return false;
    }
}
