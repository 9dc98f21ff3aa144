// TTrayIcon: the notification-area record, the taskbar re-creation checks and the retried add.
#include "app/TrayIcon.h"

namespace {

const UINT firstRetryMs = 1000;

TNotifyIcon notifyIcon = Shell_NotifyIconA;

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

UINT TTrayIcon::TaskbarCreatedMessage()
{
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

BOOL TTrayIcon::Add(HWND window, HICON shown)
{
    trayWindow = FindTaskbar();
    icon = shown;
    wanted = true;
    retries = 0;
    NOTIFYICONDATAA data = Record(window, iconFlags, icon);
    lstrcpynA(data.szTip, defaultTip, TipBytes + 1);
    tip = data.szTip;
    const BOOL added = notifyIcon(NIM_ADD, &data);
    if (!added) RetryLater(window);
    return added;
}

BOOL TTrayIcon::Modify(HWND window, HICON shown, const char* text)
{
    icon = shown;
    NOTIFYICONDATAA data = Record(window, iconFlags, icon);
    // A cut may split a two-byte character; the shell shows what it can.
    lstrcpynA(data.szTip, text && *text ? text : defaultTip, TipBytes + 1);
    tip = data.szTip;
    return notifyIcon(NIM_MODIFY, &data);
}

BOOL TTrayIcon::Delete(HWND window)
{
    wanted = false;
    KillTimer(window, RetryTimerId);
    NOTIFYICONDATAA data = Record(window, 0, nullptr);
    tip = "";
    return notifyIcon(NIM_DELETE, &data);
}

bool TTrayIcon::ReAddIfTaskbarChanged(HWND window, HICON shown)
{
    HWND taskbar = FindTaskbar();
    if (taskbar == trayWindow) return false;
    if (!taskbar) {
        trayWindow = nullptr;
        return false;
    }
    Add(window, shown);
    return true;
}

bool TTrayIcon::OnMessage(HWND window, UINT message, WPARAM wParam)
{
    const bool taskbarCreated = message == TaskbarCreatedMessage();
    if (!taskbarCreated && !(message == WM_TIMER && wParam == RetryTimerId)) return false;
    if (taskbarCreated) {
        trayWindow = FindTaskbar();
        retries = 0;
    } else {
        KillTimer(window, RetryTimerId);
    }
    if (wanted && !Restore(window)) RetryLater(window);
    return true;
}

// The icon and tip of now. An add that timed out may still have put the icon there, and a
// taskbar is also announced anew when the icon survived: then the icon is only brought up to date.
bool TTrayIcon::Restore(HWND window)
{
    NOTIFYICONDATAA data = Record(window, iconFlags, icon);
    lstrcpynA(data.szTip, tip, TipBytes + 1);
    return notifyIcon(NIM_ADD, &data) || notifyIcon(NIM_MODIFY, &data);
}

void TTrayIcon::RetryLater(HWND window)
{
    if (retries >= MostRetries) return;
    SetTimer(window, RetryTimerId, firstRetryMs << retries, nullptr);
    ++retries;
}

TNotifyIcon ReplaceNotifyIcon(TNotifyIcon notify)
{
    TNotifyIcon previous = notifyIcon;
    notifyIcon = notify ? notify : Shell_NotifyIconA;
    return previous;
}
