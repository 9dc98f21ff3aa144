// TTrayIcon: the notification-area record and the taskbar re-creation check.
#include "app/TrayIcon.h"

#include <shellapi.h>

namespace {

NOTIFYICONDATAA Record(HWND window, UINT flags, HICON icon)
{
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE; // the size every shell version takes
    data.hWnd = window;
    data.uID = TTrayIcon::IconId;
    data.uFlags = flags;
    data.uCallbackMessage = flags ? TTrayIcon::CallbackMessage : 0;
    data.hIcon = flags ? icon : nullptr;
    return data;
}

const UINT iconFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;

} // namespace

HWND TTrayIcon::FindTaskbar() { return FindWindowA("Shell_TrayWnd", ""); }

BOOL TTrayIcon::Add(HWND window, HICON icon)
{
    trayWindow = FindTaskbar();
    NOTIFYICONDATAA data = Record(window, iconFlags, icon);
    lstrcpynA(data.szTip, defaultTip, TipBytes + 1);
    tip = data.szTip;
    return Shell_NotifyIconA(NIM_ADD, &data);
}

BOOL TTrayIcon::Modify(HWND window, HICON icon, const char* text)
{
    NOTIFYICONDATAA data = Record(window, iconFlags, icon);
    // A cut may split a two-byte character; the shell shows what it can.
    lstrcpynA(data.szTip, text && *text ? text : defaultTip, TipBytes + 1);
    tip = data.szTip;
    return Shell_NotifyIconA(NIM_MODIFY, &data);
}

BOOL TTrayIcon::Delete(HWND window)
{
    NOTIFYICONDATAA data = Record(window, 0, nullptr);
    tip = "";
    return Shell_NotifyIconA(NIM_DELETE, &data);
}

bool TTrayIcon::ReAddIfTaskbarChanged(HWND window, HICON icon)
{
    HWND taskbar = FindTaskbar();
    if (taskbar == trayWindow) return false;
    if (!taskbar) {
        trayWindow = nullptr;
        return false;
    }
    Add(window, icon);
    return true;
}
