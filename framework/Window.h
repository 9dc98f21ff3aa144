// TWindow: the base of every library window, its class defaults and window services.
#pragma once

#include <windows.h>

#include "foundation/HeapString.h"
#include "framework/WindowBinding.h"

class TWindow {
public:
    explicit TWindow(HWND owner = nullptr);
    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;
    virtual ~TWindow();

    HWND hwnd;  // borrowed: the bound native window; null before creation and after destruction
    HWND owner; // borrowed: the owner (parent) given at construction; may be null

    // The one default description every library class starts from.
    static void FillClassDefaults(WNDCLASSA& description);
    // Nothing happens when the name is already known to the module; a class that cannot be
    // registered ends the process (status 0).
    static void RegisterWindowClass(const WNDCLASSA& description);
    static HINSTANCE ModuleInstance();

    HWND CreateNativeWindow(const char* className, const char* title, DWORD style, int x, int y,
                            int width, int height, HWND parent, HMENU menuOrId);
    HWND CreateNativeWindow(DWORD exStyle, const char* className, const char* title, DWORD style,
                            int x, int y, int width, int height, HWND parent, HMENU menuOrId);
    LRESULT DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam);

    static THeapString ClassNameOf(HWND window);
    // -1 (and the empty text) when a request failed or the window did not answer in 100 ms.
    static int WindowTextOf(HWND window, THeapString& text);
    static HWND TopLevelAncestor(HWND window);

    // The object bound to window long 0, or null before WM_CREATE and after WM_NCDESTROY.
    static TWindow* BoundObject(HWND window);
    static LRESULT CALLBACK PreWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

// How TWindow and TShape windows find their object.
using TWindowLongBinding = TLongZeroBinding<TWindow, &TWindow::hwnd>;
