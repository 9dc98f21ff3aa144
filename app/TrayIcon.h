// TTrayIcon: the program's one icon in the notification area.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "foundation/HeapString.h"

class TTrayIcon {
public:
    static const UINT IconId = 9000;
    static const UINT CallbackMessage = WM_APP + 9000; // the shell's mouse reports
    static const int TipBytes = 63;                      // what the shell's tip field holds
    static const UINT_PTR RetryTimerId = 9000;           // a failed add tried again
    static const int MostRetries = 5;                    // after 1, 2, 4, 8 and 16 seconds

    explicit TTrayIcon(const char* defaultTip) : defaultTip(defaultTip) {}

    // Results are the shell's and are not examined: a failure only means no icon. An add
    // that fails (the shell is still busy at logon) is tried again a few times.
    BOOL Add(HWND window, HICON icon);              // remembers the taskbar it was added to
    BOOL Modify(HWND window, HICON icon, const char* text); // null or empty: the default tip
    BOOL Delete(HWND window);
    // After the taskbar was re-created the icon is gone with it: add it again. Returns true
    // when the icon was re-added.
    bool ReAddIfTaskbarChanged(HWND window, HICON icon);
    // From the owner window's routing: "TaskbarCreated", which the shell broadcasts when it has
    // built a new taskbar, and the retry timer. Either brings back the icon as it was last
    // shown, when there is to be one. True for those two messages.
    bool OnMessage(HWND window, UINT message, WPARAM wParam);
    static UINT TaskbarCreatedMessage();

    HWND TrayWindow() const { return trayWindow; }
    // The tip last given to the shell, as cut to fit; empty while there is no icon.
    const THeapString& Tip() const { return tip; }
    static HWND FindTaskbar();

private:
    bool Restore(HWND window);
    void RetryLater(HWND window);

    const char* defaultTip; // borrowed: the program's name
    HWND trayWindow = nullptr; // borrowed: the taskbar seen at the last add
    HICON icon = nullptr;      // borrowed: the icon last given to the shell
    THeapString tip;
    bool wanted = false;       // from an add to the delete
    int retries = 0;           // failed adds tried again since the last add
};

// Test seam: what talks to the shell (Shell_NotifyIconA by default); returns the previous.
using TNotifyIcon = BOOL(WINAPI*)(DWORD message, PNOTIFYICONDATAA data);
TNotifyIcon ReplaceNotifyIcon(TNotifyIcon notify);
