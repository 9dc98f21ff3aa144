// B-list: a plain LISTBOX filled with N strings by LB_ADDSTRING.
//   bench_list fill N FILE  shows the list, fills it, writes "fill <ms>" to FILE and ends;
//   bench_list hold N       fills it hidden and waits: command 201 shows it, WM_CLOSE ends it.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "BenchCommon.h"

namespace {

const int showCommand = 201;

LRESULT CALLBACK ListWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) != showCommand) break;
        ShowWindow(window, SW_SHOWNORMAL);
        SetForegroundWindow(window);
        return 0;
    case WM_SIZE: {
        HWND list = GetWindow(window, GW_CHILD);
        if (list) MoveWindow(list, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Redrawing is off while it fills, as any program filling a long list does (Wine repaints the
// scroll bar of a shown list after every string otherwise), and the list is painted at the end.
void Fill(HWND list, int count)
{
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < count; ++i)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(BenchPath(i).c_str()));
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    UpdateWindow(list);
}

void PumpPending()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    if (__argc < 3) return 2;
    const bool hold = std::strcmp(__argv[1], "hold") == 0;
    const int count = std::atoi(__argv[2]);
    if (!hold && __argc < 4) return 2;

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ListWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "BenchListWindow";
    if (!RegisterClassA(&windowClass)) return 1;
    HWND window = CreateWindowA("BenchListWindow", "BenchList", WS_OVERLAPPEDWINDOW, 100, 100, 360, 220, nullptr,
                                nullptr, instance, nullptr);
    if (!window) return 1;
    RECT client;
    GetClientRect(window, &client);
    HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0,
                                0, client.right, client.bottom, window, nullptr, instance, nullptr);
    SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);

    if (hold) {
        Fill(list, count);
    } else {
        ShowWindow(window, SW_SHOWNORMAL);
        UpdateWindow(window);
        PumpPending();
        const LARGE_INTEGER start = Now();
        Fill(list, count);
        const LARGE_INTEGER end = Now();
        char result[64];
        std::snprintf(result, sizeof result, "fill %.3f\nlines %d\n", ElapsedMs(start, end),
                      static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)));
        WriteBenchResult(__argv[3], result);
        DestroyWindow(window);
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
