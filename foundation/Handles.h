// Handles: owning and borrowing holders of system handles, so that each kind is released in one place.
#pragma once

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

// How each kind of handle goes back to the system.
struct TGdiRelease {
    static void Release(HGDIOBJ object) { DeleteObject(object); }
};
struct TIconRelease {
    static void Release(HICON icon) { DestroyIcon(icon); }
};
struct TMenuRelease {
    static void Release(HMENU menu) { DestroyMenu(menu); }
};
struct TKeyRelease {
    static void Release(HKEY key) { RegCloseKey(key); }
};
struct TMemoryDCRelease {
    static void Release(HDC dc) { DeleteDC(dc); }
};
struct TWindowRelease {
    static void Release(HWND window) { DestroyWindow(window); }
};
// Item lists come from the shell's allocator and go back to it.
struct TItemListRelease {
    static void Release(LPITEMIDLIST list);
};

// A handle with its ownership in the type: an owning holder releases it when it ends or takes
// another one and can only be moved; a borrowing one never releases and copies freely.
template <class Handle, class Traits, bool Owning>
class THandle {
public:
    THandle() = default;
    explicit THandle(Handle handle) : handle(handle) {}
    ~THandle() { Reset(); }
    THandle(THandle&& other) noexcept : handle(other.Detach()) {}
    THandle& operator=(THandle&& other) noexcept
    {
        if (this != &other) Reset(other.Detach());
        return *this;
    }
    THandle(const THandle& other) : handle(other.handle) { static_assert(!Owning, "an owned handle only moves"); }
    THandle& operator=(const THandle& other)
    {
        static_assert(!Owning, "an owned handle only moves");
        handle = other.handle;
        return *this;
    }

    Handle Get() const { return handle; }
    operator Handle() const { return handle; }
    // Gives up the handle without releasing it.
    Handle Detach()
    {
        Handle given = handle;
        handle = nullptr;
        return given;
    }
    void Reset(Handle next = nullptr)
    {
        if (Owning && handle && handle != next) Traits::Release(handle);
        handle = next;
    }

private:
    Handle handle = nullptr;
};

template <class Handle> using TOwnedGdi = THandle<Handle, TGdiRelease, true>;
template <class Handle> using TBorrowedGdi = THandle<Handle, TGdiRelease, false>;
using TOwnedFont = TOwnedGdi<HFONT>;
using TOwnedPen = TOwnedGdi<HPEN>;
using TOwnedBitmap = TOwnedGdi<HBITMAP>;
using TOwnedPalette = TOwnedGdi<HPALETTE>;
using TOwnedIcon = THandle<HICON, TIconRelease, true>;
using TBorrowedIcon = THandle<HICON, TIconRelease, false>;
using TOwnedMenu = THandle<HMENU, TMenuRelease, true>;
using TBorrowedMenu = THandle<HMENU, TMenuRelease, false>;
using TOwnedKey = THandle<HKEY, TKeyRelease, true>;
using TBorrowedKey = THandle<HKEY, TKeyRelease, false>;
using TMemoryDC = THandle<HDC, TMemoryDCRelease, true>;
using TOwnedItemList = THandle<LPITEMIDLIST, TItemListRelease, true>;
using TOwnedWindow = THandle<HWND, TWindowRelease, true>;

// A window's DC from GetDC, given back with ReleaseDC.
class TWindowDC {
public:
    explicit TWindowDC(HWND window) : window(window), dc(GetDC(window)) {}
    ~TWindowDC()
    {
        if (dc) ReleaseDC(window, dc);
    }
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    operator HDC() const { return dc; }

private:
    HWND window; // borrowed
    HDC dc;      // owned until released
};

// The DC of a WM_PAINT, from BeginPaint to EndPaint.
class TPaintDC {
public:
    explicit TPaintDC(HWND window) : window(window), dc(BeginPaint(window, &paint)) {}
    ~TPaintDC() { EndPaint(window, &paint); }
    TPaintDC(const TPaintDC&) = delete;
    TPaintDC& operator=(const TPaintDC&) = delete;
    operator HDC() const { return dc; }
    const RECT& Area() const { return paint.rcPaint; }

private:
    HWND window; // borrowed
    PAINTSTRUCT paint;
    HDC dc;
};

// An object selected into a DC until the holder ends, when the DC gets back what it held.
class TSelection {
public:
    TSelection(HDC dc, HGDIOBJ object) : dc(dc), previous(dc && object ? SelectObject(dc, object) : nullptr) {}
    ~TSelection()
    {
        if (previous) SelectObject(dc, previous);
    }
    TSelection(const TSelection&) = delete;
    TSelection& operator=(const TSelection&) = delete;

private:
    HDC dc;           // borrowed
    HGDIOBJ previous; // borrowed: what the DC held before
};

// A palette selected into a DC until the holder ends.
class TPaletteSelection {
public:
    TPaletteSelection(HDC dc, HPALETTE palette, BOOL background)
        : dc(dc), background(background), previous(dc && palette ? SelectPalette(dc, palette, background) : nullptr)
    {
    }
    ~TPaletteSelection()
    {
        if (previous) SelectPalette(dc, previous, background);
    }
    TPaletteSelection(const TPaletteSelection&) = delete;
    TPaletteSelection& operator=(const TPaletteSelection&) = delete;

private:
    HDC dc; // borrowed
    BOOL background;
    HPALETTE previous; // borrowed: what the DC held before
};

// A window's DC with the window's own font (WM_GETFONT) selected.
class TWindowFontDC {
public:
    explicit TWindowFontDC(HWND window)
        : dc(window), font(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)))
    {
    }
    operator HDC() const { return dc; }

private:
    TWindowDC dc;
    TSelection font;
};

// One reference to a COM interface, released when the holder ends.
template <class Interface>
class TComPtr {
public:
    TComPtr() = default;
    ~TComPtr()
    {
        if (pointer) pointer->Release();
    }
    TComPtr(const TComPtr&) = delete;
    TComPtr& operator=(const TComPtr&) = delete;

    Interface* operator->() const { return pointer; }
    Interface* Get() const { return pointer; }
    explicit operator bool() const { return pointer != nullptr; }
    // Where a creating call puts the reference; only while the holder is still empty.
    void** Slot() { return reinterpret_cast<void**>(&pointer); }
    Interface** Address() { return &pointer; }

private:
    Interface* pointer = nullptr; // owned reference
};

// A drop from WM_DROPFILES, finished when the holder ends (through `release`, DragFinish unless
// a test gives another).
class TOwnedDrop {
public:
    using TRelease = void(WINAPI*)(HDROP drop);
    explicit TOwnedDrop(HDROP drop, TRelease release = &DragFinish) : drop(drop), release(release) {}
    ~TOwnedDrop()
    {
        if (drop && release) release(drop);
    }
    TOwnedDrop(const TOwnedDrop&) = delete;
    TOwnedDrop& operator=(const TOwnedDrop&) = delete;
    operator HDROP() const { return drop; }

private:
    HDROP drop; // owned until finished
    TRelease release;
};
