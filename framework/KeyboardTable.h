// TKeyboardTable: a shape's key bindings (ACCEL layout, 5 bytes) and the Return/Alt+F3/Alt+F5 keys.
#pragma once

#include <windows.h>

#include <vector>

#pragma pack(push, 1)
struct TKeyBinding {
    BYTE flags;   // FVIRTKEY, FSHIFT, FCONTROL, FALT
    WORD key;     // virtual-key code
    WORD command; // posted as WM_COMMAND with the accelerator notification code
};
#pragma pack(pop)
static_assert(sizeof(TKeyBinding) == 5, "key bindings keep the packed ACCEL layout");

class TKeyboardTable {
public:
    void Append(BYTE flags, WORD key, WORD command);
    void Clear() { bindings.clear(); }
    int Count() const { return static_cast<int>(bindings.size()); }
    const TKeyBinding& Binding(int index) const { return bindings[index]; }

    // Offers a fetched message; true when it was consumed (a WM_COMMAND or WM_SYSCOMMAND posted).
    bool Translate(HWND shape, const MSG& message) const;

private:
    bool TranslateBinding(HWND shape, WPARAM key) const;
    std::vector<TKeyBinding> bindings;
};

// The button Return would press in `shape`: the focused button, else the first default push button.
HWND ButtonForReturn(HWND shape);
// The first child of `shape`, in child order, that is a default push button; null when none.
HWND DefaultPushButton(HWND shape);

const UINT AlwaysOnTopCommand = 63078;
const UINT TranslucencyCommand = 63084;
