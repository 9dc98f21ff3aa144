// TKeyboardTable: matching bindings with all three modifiers, Return to buttons, Alt+F3/Alt+F5.
#include "framework/KeyboardTable.h"

#include "framework/TransparentControls.h"
#include "framework/Window.h"

namespace {

bool Down(int key) { return (GetKeyState(key) & 0x8000) != 0; }

bool SameClass(HWND window, const char* name)
{
    return lstrcmpiA(TWindow::ClassNameOf(window), name) == 0;
}

LONG StyleOf(HWND window) { return GetWindowLongA(window, GWL_STYLE); }

// A writable edit field that wants Return keeps it for a new line.
bool EditWantsReturn(HWND window)
{
    if (!window || !(SameClass(window, "EDIT") || SameClass(window, "TransparentEDIT"))) return false;
    LONG style = StyleOf(window);
    return (style & ES_WANTRETURN) && !(style & ES_READONLY);
}

bool IsButton(HWND window)
{
    return window && (SameClass(window, "Button") || SameClass(window, "TransparentPushButton"));
}

bool IsDefaultPushButton(HWND window)
{
    if (SameClass(window, "Button")) return (StyleOf(window) & 0x0F) == BS_DEFPUSHBUTTON;
    return SameClass(window, "TransparentPushButton") && IsTransparentDefaultButton(window);
}

void PostCommand(HWND shape, WPARAM idWithCode, HWND control)
{
    PostMessageA(shape, WM_COMMAND, idWithCode, reinterpret_cast<LPARAM>(control));
}

// Alt+F5 and Alt+F3 stand for system-menu items, but only while the item is there and enabled.
bool PostSystemMenuKey(UINT command)
{
    HWND active = GetActiveWindow();
    HMENU menu = active ? GetSystemMenu(active, FALSE) : nullptr;
    if (!menu) return false;
    UINT state = GetMenuState(menu, command, MF_BYCOMMAND);
    if (state == static_cast<UINT>(-1) || (state & (MF_GRAYED | MF_DISABLED))) return false;
    PostMessageA(active, WM_SYSCOMMAND, command, static_cast<LPARAM>(0xFFFF0000u));
    return true;
}

} // namespace

void TKeyboardTable::Append(BYTE flags, WORD key, WORD command)
{
    bindings.push_back(TKeyBinding{flags, key, command});
}

bool TKeyboardTable::TranslateBinding(HWND shape, WPARAM key) const
{
    bool alt = Down(VK_MENU), control = Down(VK_CONTROL), shift = Down(VK_SHIFT);
    for (const TKeyBinding& binding : bindings) {
        if (binding.key != key) continue;
        if (((binding.flags & FALT) != 0) != alt) continue;
        if (((binding.flags & FCONTROL) != 0) != control) continue;
        if (((binding.flags & FSHIFT) != 0) != shift) continue;
        PostCommand(shape, binding.command + 0x10000, nullptr);
        return true;
    }
    return false;
}

bool TKeyboardTable::Translate(HWND shape, const MSG& message) const
{
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
    if (TranslateBinding(shape, message.wParam)) return true;
    if (message.wParam == VK_RETURN && !Down(VK_CONTROL) && !Down(VK_MENU) && !EditWantsReturn(GetFocus())) {
        HWND button = ButtonForReturn(shape);
        if (button) {
            PostCommand(shape, (GetDlgCtrlID(button) & 0xFFFF) + 0x10000, button);
            return true;
        }
    }
    if (message.message != WM_SYSKEYDOWN) return false;
    if (message.wParam == VK_F5) return PostSystemMenuKey(AlwaysOnTopCommand);
    if (message.wParam == VK_F3) return PostSystemMenuKey(TranslucencyCommand);
    return false;
}

HWND DefaultPushButton(HWND shape)
{
    for (HWND child = GetWindow(shape, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsDefaultPushButton(child)) return child;
    return nullptr;
}

HWND ButtonForReturn(HWND shape)
{
    HWND focus = GetFocus();
    if (IsButton(focus)) return focus;
    return DefaultPushButton(shape);
}
