// Translucency: the run-time look-up of SetLayeredWindowAttributes and the two styles.
#include "framework/Translucency.h"

#include "foundation/GlobalStores.h"
#include "foundation/RegistrySection.h"
#include "foundation/ShellFolders.h"
#include "framework/KeyboardTable.h"
#include "framework/Shape.h"

namespace {

enum TLookup { notLookedUp, missing, found };

TLookup lookup = notLookedUp;
TLayeredFunction layeredFunction = nullptr;

const DWORD alphaStyle = 2;
const DWORD defaultAlpha = 180;

// USER32 is always mapped into a process with windows; the full path keeps a stray copy
// in the program's folder out of the look-up.
TLayeredFunction LayeredFunction()
{
    if (lookup == notLookedUp) {
        THeapString path;
        path.Format("%sUSER32.DLL", SystemDirectory().Text());
        HMODULE user = GetModuleHandleA(path);
        if (!user) user = LoadLibraryA(path);
        FARPROC address = user ? GetProcAddress(user, "SetLayeredWindowAttributes") : nullptr;
        layeredFunction = reinterpret_cast<TLayeredFunction>(reinterpret_cast<void*>(address));
        lookup = layeredFunction ? found : missing;
    }
    return layeredFunction;
}

void CheckMenuItemIfPresent(HWND window, bool checked)
{
    HMENU menu = GetSystemMenu(window, FALSE);
    if (menu) CheckMenuItem(menu, TranslucencyCommand, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void AddLayeredStyle(HWND window)
{
    LONG_PTR style = GetWindowLongPtrA(window, GWL_EXSTYLE);
    SetWindowLongPtrA(window, GWL_EXSTYLE, style | WS_EX_LAYERED);
}

DWORD ReadSetting(const TRegistryStore& store, const char* name, DWORD fallback)
{
    DWORD value = fallback;
    if (store.ReadDword(name, value) != ERROR_SUCCESS) value = fallback;
    return value;
}

} // namespace

bool LayeredAvailable() { return LayeredFunction() != nullptr; }

void SetAlpha(TShape* shape, BYTE alpha)
{
    TLayeredFunction layered = LayeredFunction();
    if (!layered || !shape->Handle()) return;
    AddLayeredStyle(shape->Handle());
    layered(shape->Handle(), 0, alpha, LWA_ALPHA);
    CheckMenuItemIfPresent(shape->Handle(), true);
}

void SetColorKey(TShape* shape, COLORREF color)
{
    TLayeredFunction layered = LayeredFunction();
    if (!layered || !shape->Handle()) return;
    AddLayeredStyle(shape->Handle());
    layered(shape->Handle(), color, 0, LWA_COLORKEY);
    CheckMenuItemIfPresent(shape->Handle(), true);
}

void SetTranslucent(TShape* shape, bool on)
{
    TLayeredFunction layered = LayeredFunction();
    HWND window = shape->Handle();
    if (!layered || !window) return;
    if (!on) {
        // Opaque before the style goes, so the window never flashes at its old level.
        layered(window, 0, 255, LWA_ALPHA);
        SetWindowLongPtrA(window, GWL_EXSTYLE, GetWindowLongPtrA(window, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
        CheckMenuItemIfPresent(window, false);
        return;
    }
    TRegistrySection view(LibraryStore(), "View");
    if (ReadSetting(view.Store(), "TransparentStyle", alphaStyle) == alphaStyle)
        SetAlpha(shape, static_cast<BYTE>(ReadSetting(view.Store(), "TransparentAlphaLevel", defaultAlpha) & 0xFF));
    else
        SetColorKey(shape, ReadSetting(view.Store(), "TransparentColor", GetSysColor(COLOR_BTNFACE)));
}

void UseLayeredFunction(TLayeredFunction function)
{
    layeredFunction = function;
    lookup = function ? found : missing;
}

void ForgetLayeredFunction()
{
    layeredFunction = nullptr;
    lookup = notLookedUp;
}
