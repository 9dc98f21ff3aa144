// TComboEdit: the edit superclass, its binding, and the keys and messages it passes on.
#include "filelists/ComboEdit.h"

#include <shellapi.h>

#include "filelists/ComboboxElement.h"
#include "framework/Window.h"

namespace {

const DWORD editStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;

WNDPROC systemProc = nullptr; // the system EDIT procedure
int appendedIndex = 0;        // the system class's own extra bytes: where the object lives

TComboEdit* BoundEdit(HWND window)
{
    return reinterpret_cast<TComboEdit*>(GetWindowLongPtrA(window, appendedIndex));
}

} // namespace

const char* const TComboEdit::ClassName = "VantryComboEdit";

void TComboEdit::RegisterClass()
{
    if (systemProc) return;
    TWindow::RegisterSuperclass("EDIT", ClassName, &TComboEdit::PreWndProc, systemProc, appendedIndex);
}

LRESULT CALLBACK TComboEdit::PreWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    TComboEdit* self = BoundEdit(window);
    if (!self) return CallWindowProcA(systemProc, window, message, wParam, lParam);
    return self->WindowProc(message, wParam, lParam);
}

void TComboEdit::Create(HWND shape, const char* text, int id)
{
    RegisterClass();
    edit = CreateWindowExA(0, ClassName, text, editStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, shape, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           TWindow::ModuleInstance(), nullptr);
    if (!edit) return;
    SetWindowLongPtrA(edit, appendedIndex, reinterpret_cast<LONG_PTR>(this));
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    DragAcceptFiles(edit, TRUE);
}

void TComboEdit::Destroy()
{
    HWND window = edit;
    edit = nullptr;
    if (!window || !IsWindow(window)) return;
    SetWindowLongPtrA(window, appendedIndex, 0);
    DestroyWindow(window);
}

LRESULT TComboEdit::CallSystem(UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(systemProc, edit, message, wParam, lParam);
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
    case WM_NCDESTROY:
        SetWindowLongPtrA(edit, appendedIndex, 0);
        {
            HWND window = edit;
            edit = nullptr;
            return CallWindowProcA(systemProc, window, message, wParam, lParam);
        }
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
