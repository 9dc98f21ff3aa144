// TTrayIcon: the program's one icon in the notification area.
#pragma once

#include <windows.h>

#include "foundation/HeapString.h"

class TTrayIcon {
public:
    static const UINT IconId = 9000;
    static const UINT CallbackMessage = WM_APP + 9000; // the shell's mouse reports
    static const int TipBytes = 63;                      // what the shell's tip field holds

    explicit TTrayIcon(const char* defaultTip) : defaultTip(defaultTip) {}

    // Results are the shell's and are not examined: a failure only means no icon.
    BOOL Add(HWND window, HICON icon);              // remembers the taskbar it was added to
    BOOL Modify(HWND window, HICON icon, const char* text); // null or empty: the default tip
    BOOL Delete(HWND window);
    // After the taskbar was re-created the icon is gone with it: add it again. Returns true
    // when the icon was re-added.
    bool ReAddIfTaskbarChanged(HWND window, HICON icon);

    HWND TrayWindow() const { return trayWindow; }
    // The tip last given to the shell, as cut to fit; empty while there is no icon.
    const THeapString& Tip() const { return tip; }
    static HWND FindTaskbar();

private:
    const char* defaultTip; // borrowed: the program's name
    HWND trayWindow = nullptr; // borrowed: the taskbar seen at the last add
    THeapString tip;
};
