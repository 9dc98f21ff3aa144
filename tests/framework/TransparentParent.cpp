// The transparent controls' parent window, its controls and the showcase of every kind.
#include "framework/TransparentParent.h"

#include "foundation/IconCache.h"
#include "foundation/WindowBackground.h"
#include "framework/TransparentButton.h"

namespace {

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        EnsureClientBackground()->PaintBackground(dc, client, paint.rcPaint);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_DRAWITEM:
        return DrawTransparentPushButton(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

HWND CreateTransparentParent(const char* title, int width, int height)
{
    WNDCLASSA description = {};
    description.lpfnWndProc = &ParentProc;
    description.hInstance = GetModuleHandleA(nullptr);
    description.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    description.lpszClassName = "TransparentTestParent";
    RegisterClassA(&description); // a second registration fails harmlessly
    return CreateWindowExA(0, "TransparentTestParent", title, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS, 40,
                           40, width, height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

HWND CreateControl(HWND parent, const char* className, const char* text, DWORD style, int x, int y, int width,
                   int height, int id)
{
    HWND control = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                                   nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    return control;
}

HWND OpenTransparentShowcase(TTransparentControl (&records)[TransparentShowcaseControls])
{
    RegisterTransparentClasses();
    HWND parent = CreateTransparentParent("Kelvane", 420, 300);
    if (!parent) return nullptr;
    HWND controls[TransparentShowcaseControls] = {
        CreateControl(parent, "TransparentButton", "Group (&G)", BS_GROUPBOX, 10, 8, 390, 130, -1),
        CreateControl(parent, "TransparentStatic", "File name (&F):", 0, 24, 30, 100, 16, 5000),
        CreateControl(parent, "TransparentEdit", "Read-only text\r\n\tover the picture", ES_MULTILINE | ES_READONLY,
                      130, 28, 200, 34, 5001),
        CreateControl(parent, "TransparentButton", "Check box (&C)", BS_AUTOCHECKBOX | WS_TABSTOP, 24, 70, 140, 18,
                      5002),
        CreateControl(parent, "TransparentButton", "Radio (&R)", BS_AUTORADIOBUTTON | WS_TABSTOP, 24, 96, 140, 18, 5003),
        CreateControl(parent, "TransparentStatic", "Disabled label", 0, 200, 96, 120, 16, 5004),
        CreateControl(parent, "TransparentPushButton", "OK", BS_OWNERDRAW | WS_TABSTOP, 10, 150, 88, 24, 1),
        CreateControl(parent, "TransparentPushButton", "Cancel", BS_OWNERDRAW | WS_TABSTOP, 104, 150, 88, 24, 2),
        CreateControl(parent, "TransparentPushButton", "Play", BS_OWNERDRAW | WS_TABSTOP | WS_DISABLED, 198, 150, 88,
                      24, 202),
        CreateControl(parent, "TransparentStatic", "Halo over the logo", 0, 296, 236, 110, 16, 5005),
    };
    for (int i = 0; i < TransparentShowcaseControls; ++i) BindTransparentControl(controls[i], &records[i]);
    records[6].isDefault = true;
    SendMessageA(controls[3], BM_SETCHECK, BST_CHECKED, 0);
    EnableWindow(controls[5], FALSE);
    const char* icons[] = {"OK_ICON", "CANCEL_ICON", "PLAY_ICON"};
    for (int i = 0; i < 3; ++i) {
        HICON icon = IconByName(icons[i])->Get(0);
        SendMessageA(controls[6 + i], WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    ShowWindow(parent, SW_SHOW);
    UpdateWindow(parent);
    return parent;
}
