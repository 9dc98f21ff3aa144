// TLineTip: a tracking tool tip placed over the text of the line under the mouse when it is cut.
#include "filelists/LineTip.h"

#include <commctrl.h>
#include <windowsx.h>

#include "filelists/ComboListItem.h"
#include "framework/Window.h"

namespace {

const UINT_PTR toolId = 1;

TOOLINFOA Tool(HWND list)
{
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE; // the size every version of the common controls accepts
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE | TTF_TRANSPARENT;
    tool.hwnd = list;
    tool.uId = toolId;
    return tool;
}

const TComboListItem* ItemOf(HWND list, int line)
{
    const LRESULT data = SendMessageA(list, LB_GETITEMDATA, line, 0);
    return data == LB_ERR ? nullptr : reinterpret_cast<const TComboListItem*>(data);
}

} // namespace

// The shape that owns the tip destroys it with its own window, before the list is gone.
TLineTip::~TLineTip()
{
    if (tip && !IsWindow(tip)) tip.Detach();
}

void TLineTip::Attach(HWND newList)
{
    if (tip && !IsWindow(tip)) tip.Detach();
    list = newList;
    shownLine = -1;
    leaveAsked = false;
    InitCommonControls();
    tip.Reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, list, nullptr,
                              TWindow::ModuleInstance(), nullptr));
    if (!tip) return;
    TOOLINFOA tool = Tool(list);
    tool.lpszText = const_cast<char*>("");
    SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void TLineTip::Message(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!tip || !list) return;
    switch (message) {
    case WM_MOUSEMOVE:
        Follow(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        break;
    case WM_MOUSELEAVE:
        leaveAsked = false;
        Hide();
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MOUSEWHEEL:
    case WM_VSCROLL:
    case WM_KEYDOWN:
    case LB_RESETCONTENT:
    case LB_DELETESTRING:
        Hide(); // the line under the mouse may be another one now
        break;
    case WM_SETFONT: // the tip's text lies exactly over the line's
        Hide();
        SendMessageA(tip, WM_SETFONT, wParam, FALSE);
        break;
    default:
        break;
    }
}

void TLineTip::Follow(POINT client)
{
    const LRESULT hit = SendMessageA(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(client.x, client.y));
    const int line = HIWORD(hit) ? -1 : static_cast<int>(LOWORD(hit));
    if (line == shownLine) return;
    Hide();
    if (line >= 0) Show(line);
}

void TLineTip::Show(int line)
{
    const TComboListItem* item = ItemOf(list, line);
    RECT area{};
    if (!item || SendMessageA(list, LB_GETITEMRECT, line, reinterpret_cast<LPARAM>(&area)) == LB_ERR) return;
    if (!item->IsCut(area.right - area.left)) return;
    TOOLINFOA tool = Tool(list);
    tool.lpszText = const_cast<char*>(item->text.Text());
    SendMessageA(tip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    // The tip's text lies where the line's text starts.
    RECT text{area.left + item->TextLeft(), area.top + (area.bottom - area.top - item->textHeight) / 2, 0, 0};
    text.right = text.left + item->textExtent;
    text.bottom = text.top + item->textHeight;
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&text), 2);
    SendMessageA(tip, TTM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&text));
    SendMessageA(tip, TTM_TRACKPOSITION, 0, MAKELPARAM(static_cast<WORD>(text.left), static_cast<WORD>(text.top)));
    SendMessageA(tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    shownLine = line;
    if (!leaveAsked) {
        TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, list, 0};
        leaveAsked = TrackMouseEvent(&leave) != FALSE;
    }
}

void TLineTip::Hide()
{
    if (shownLine < 0) return;
    TOOLINFOA tool = Tool(list);
    SendMessageA(tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    shownLine = -1;
}
