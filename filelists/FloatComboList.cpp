// TFloatComboList: the floating list's class, opening and closing, and its mouse and scrolling.
#include "filelists/FloatComboList.h"

#include <windowsx.h>

#include "filelists/ComboboxElement.h"
#include "foundation/ScreenScale.h"
#include "framework/WorkArea.h"
#include "framework/Window.h"

namespace {

const DWORD listExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
const DWORD listStyle = WS_CHILD | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_SORT | LBS_OWNERDRAWVARIABLE |
                        LBS_NOINTEGRALHEIGHT;
const UINT_PTR repeatTimer = 1000;
const UINT repeatDelay = 500;
const int chosen = 1; // the notification a chosen item sends to the frame

BOOL CALLBACK CloseOther(HWND window, LPARAM self)
{
    char name[64];
    if (window != reinterpret_cast<HWND>(self) && GetClassNameA(window, name, sizeof name) &&
        lstrcmpA(name, TFloatComboList::ClassName) == 0 && GetWindowTextA(window, name, sizeof name) &&
        lstrcmpA(name, TFloatComboList::Title) == 0)
        SendMessageA(window, WM_KILLFOCUS, 0, 0);
    return TRUE;
}

} // namespace

const char* const TFloatComboList::ClassName = "FloatComboListClass";
const char* const TFloatComboList::Title = "DropDownList";

TBoundSuperclass<TFloatComboList, &TFloatComboList::list> TFloatComboList::superclass{
    ClassName, "LISTBOX", &TFloatComboList::PreWndProc};

TFloatComboList::~TFloatComboList() { superclass.Unbind(*this); }

void TFloatComboList::RegisterClass() { superclass.Register(); }

// The list brings its object as the creation parameter.
LRESULT CALLBACK TFloatComboList::PreWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    TFloatComboList* self = superclass.FindAtCreate(window, message, lParam);
    if (!self) return superclass.CallSystem(window, message, wParam, lParam);
    return superclass.RouteBound(window, *self, message, wParam, lParam,
                                 [](TFloatComboList& self, UINT message, WPARAM wParam, LPARAM lParam) {
                                     return self.WindowProc(message, wParam, lParam);
                                 });
}

void TFloatComboList::Create(HWND frame, int id)
{
    RegisterClass();
    list = CreateWindowExA(listExStyle, ClassName, Title, listStyle, 0, 0, 0, 0, frame,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), TWindow::ModuleInstance(), this);
    if (!list) return;
    SetParent(list, GetDesktopWindow());
    SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

void TFloatComboList::Destroy(HWND frame)
{
    HWND window = list;
    superclass.Unbind(*this);
    if (!window || !IsWindow(window)) return;
    if (IsWindow(frame)) SetParent(window, frame);
    DestroyWindow(window);
}

void TFloatComboList::Open(HWND frame)
{
    if (!list) return;
    EnumWindows(&CloseOther, reinterpret_cast<LPARAM>(list));
    MSG pending;
    while (PeekMessageA(&pending, list, WM_KILLFOCUS, WM_KILLFOCUS, PM_REMOVE)) {
    }
    RECT below;
    GetWindowRect(frame, &below);
    const int height = Scaled(listHeight);
    const RECT monitor = MonitorAreaOf(below).monitor;
    int y = below.bottom;
    if (y + height > monitor.bottom) y = below.top - height;
    SetWindowPos(list, HWND_TOPMOST, below.left, y, below.right - below.left, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TFloatComboList::Close()
{
    if (!list) return;
    KillTimer(list, repeatTimer);
    if (GetCapture() == list) ReleaseCapture();
    ShowWindow(list, SW_HIDE);
}

bool TFloatComboList::IsOpen() const { return list && IsWindowVisible(list); }

LRESULT TFloatComboList::CallSystem(UINT message, WPARAM wParam, LPARAM lParam)
{
    return superclass.CallSystem(list, message, wParam, lParam);
}

LRESULT TFloatComboList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEMOVE:
        FollowMouse(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_TIMER:
        if (wParam != repeatTimer) break;
        {
            POINT cursor;
            GetCursorPos(&cursor);
            ScreenToClient(list, &cursor);
            if (!StepTowardMouse(cursor.x, cursor.y)) KillTimer(list, repeatTimer);
        }
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        Choose();
        return 0;
    case WM_MOUSEACTIVATE:
        // The shape stays active while the user picks from its list.
        return MA_NOACTIVATE;
    case WM_VSCROLL:
        if (IsWindowVisible(list)) break;
        ScrollWhileHidden(LOWORD(wParam));
        return 0;
    case WM_KILLFOCUS:
        Close();
        break;
    default:
        break;
    }
    return CallSystem(message, wParam, lParam);
}

void TFloatComboList::FollowMouse(int x, int y)
{
    RECT client;
    GetClientRect(list, &client);
    POINT point{x, y};
    if (PtInRect(&client, point)) {
        LRESULT hit = SendMessageA(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(x, y));
        if (!HIWORD(hit)) {
            KillTimer(list, repeatTimer);
            int index = LOWORD(hit);
            if (SendMessageA(list, LB_GETCURSEL, 0, 0) != index) SendMessageA(list, LB_SETCURSEL, index, 0);
            return;
        }
    }
    if (StepTowardMouse(x, y))
        SetTimer(list, repeatTimer, repeatDelay, nullptr);
    else
        KillTimer(list, repeatTimer);
}

bool TFloatComboList::StepTowardMouse(int x, int y)
{
    RECT client;
    GetClientRect(list, &client);
    if (x < client.left || x >= client.right) return false;
    int step = y < client.top ? -1 : (y >= client.bottom ? 1 : 0);
    if (!step) return false;
    int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    if (count <= 0) return true;
    int current = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    int next = current < 0 ? (step > 0 ? 0 : count - 1) : current + step;
    if (next >= 0 && next < count) SendMessageA(list, LB_SETCURSEL, next, 0);
    return true;
}

void TFloatComboList::Choose()
{
    HWND frame = owner ? owner->Frame() : nullptr;
    if (frame)
        SendMessageA(frame, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), chosen), reinterpret_cast<LPARAM>(list));
    Close();
}

// The edit's scroll arrows step through the history while the list is closed.
void TFloatComboList::ScrollWhileHidden(int code)
{
    int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    if (count <= 0) return;
    int current = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    int next = current;
    switch (code) {
    case SB_LINEUP:
    case SB_PAGEUP:
        next = current - 1;
        break;
    case SB_LINEDOWN:
    case SB_PAGEDOWN:
        next = current + 1;
        break;
    case SB_TOP:
        next = 0;
        break;
    case SB_BOTTOM:
        next = count - 1;
        break;
    default:
        return;
    }
    if (next < 0) next = 0;
    if (next >= count) next = count - 1;
    SendMessageA(list, LB_SETCURSEL, next, 0);
    HWND frame = owner ? owner->Frame() : nullptr;
    if (frame)
        PostMessageA(frame, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), chosen), reinterpret_cast<LPARAM>(list));
}
