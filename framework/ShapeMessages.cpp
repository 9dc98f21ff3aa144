// The shape's message handler: one small function per message it handles.
#include "framework/ShapeMessages.h"

#include <commctrl.h>
#include <windowsx.h>

#include "foundation/CommandLine.h"
#include "foundation/Handles.h"
#include "foundation/ProgramHelp.h"
#include "foundation/SystemChecks.h"
#include "foundation/WindowBackground.h"
#include "framework/Placement.h"
#include "framework/Shape.h"
#include "framework/SystemCommands.h"
#include "framework/SystemMenu.h"
#include "framework/TransparentButton.h"
#include "framework/WindowBinding.h"

namespace {

const char dropDownClass[] = "FloatComboListClass";
const char dropDownTitle[] = "DropDownList";

HWND Handle(TShape& shape) { return shape.Handle(); }

int StatusBarHeight(TShape& shape)
{
    if (!shape.StatusBar()) return 0;
    RECT bar;
    GetClientRect(shape.StatusBar(), &bar);
    return bar.bottom - bar.top;
}

// Realises the shape's palette as a background palette in its window's DC; the colours changed.
UINT RealizePalette(TShape& shape, bool updateColors)
{
    TWindowDC dc(Handle(shape));
    TPaletteSelection selection(dc, shape.Palette(), TRUE);
    const UINT changed = ::RealizePalette(dc);
    if (updateColors) UpdateColors(dc);
    return changed;
}

struct RowEntry {
    UINT message;
    TShapeMessages::Row row;
};

const RowEntry rows[] = {
    {WM_DESTROY, &TShapeMessages::Destroy},
    {WM_NCDESTROY, &TShapeMessages::NcDestroy},
    {WM_SIZE, &TShapeMessages::Size},
    {WM_SETFOCUS, &TShapeMessages::SetFocus},
    {WM_PAINT, &TShapeMessages::Paint},
    {WM_CLOSE, &TShapeMessages::Close},
    {WM_SHOWWINDOW, &TShapeMessages::ShowWindow},
    {WM_SETTINGCHANGE, &TShapeMessages::SettingChange},
    {WM_ACTIVATEAPP, &TShapeMessages::ActivateApp},
    {WM_DRAWITEM, &TShapeMessages::DrawItem},
    {WM_MEASUREITEM, &TShapeMessages::MeasureItem},
    {WM_NOTIFY, &TShapeMessages::Notify},
    {WM_HELP, &TShapeMessages::Help},
    {WM_CONTEXTMENU, &TShapeMessages::ContextMenu},
    {WM_NCHITTEST, &TShapeMessages::NcHitTest},
    {WM_NCACTIVATE, &TShapeMessages::NcActivity},
    {WM_NCLBUTTONDOWN, &TShapeMessages::NcActivity},
    {WM_NCRBUTTONDOWN, &TShapeMessages::NcActivity},
    {WM_NCMBUTTONDOWN, &TShapeMessages::NcActivity},
    {WM_COMMAND, &TShapeMessages::Command},
    {WM_SYSCOMMAND, &TShapeMessages::SysCommand},
    {WM_HSCROLL, &TShapeMessages::HScroll},
    {WM_INITMENUPOPUP, &TShapeMessages::InitMenuPopup},
    {WM_MENUSELECT, &TShapeMessages::MenuSelect},
    {WM_MENUCHAR, &TShapeMessages::MenuChar},
    {WM_CTLCOLORMSGBOX, &TShapeMessages::CtlColor},
    {WM_CTLCOLOREDIT, &TShapeMessages::CtlColor},
    {WM_CTLCOLORLISTBOX, &TShapeMessages::CtlColor},
    {WM_CTLCOLORBTN, &TShapeMessages::CtlColor},
    {WM_CTLCOLORDLG, &TShapeMessages::CtlColor},
    {WM_CTLCOLORSCROLLBAR, &TShapeMessages::CtlColor},
    {WM_CTLCOLORSTATIC, &TShapeMessages::CtlColor},
    {WM_SIZING, &TShapeMessages::SizeMove},
    {WM_MOVING, &TShapeMessages::SizeMove},
    {WM_ENTERSIZEMOVE, &TShapeMessages::SizeMove},
    {WM_EXITSIZEMOVE, &TShapeMessages::SizeMove},
    {WM_QUERYNEWPALETTE, &TShapeMessages::QueryNewPalette},
    {WM_PALETTECHANGED, &TShapeMessages::PaletteChanged},
};

BOOL CALLBACK ActivateAppChild(HWND child, LPARAM lParam)
{
    const MSG& message = *reinterpret_cast<const MSG*>(lParam);
    THeapString className = TWindow::ClassNameOf(child);
    if (className == dropDownClass && GetWindowTextLengthA(child) == 0)
        PostMessageA(child, WM_SHOWWINDOW, message.wParam, 0);
    else if (className == "ShapeClass")
        PostMessageA(child, WM_ACTIVATEAPP, message.wParam, message.lParam);
    return TRUE;
}

} // namespace

TShapeMessages::Row TShapeMessages::Find(UINT message)
{
    for (const RowEntry& entry : rows)
        if (entry.message == message) return entry.row;
    return nullptr;
}

LRESULT CALLBACK TShape::PreWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return TWindowLongBinding::Route(window, message, wParam, lParam,
                                     [](TWindow& object, UINT message, WPARAM wParam, LPARAM lParam) {
                                         return static_cast<TShape&>(object).WindowProc(message, wParam, lParam);
                                     });
}

INT_PTR CALLBACK TShape::PreDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    TShape* shape = ShapeProperty(window);
    if (!shape) {
        if (message != WM_INITDIALOG) return 0;
        shape = reinterpret_cast<TShape*>(lParam);
        shape->hwnd = window;
        shape->dialogHosted = true;
        shape->AdoptDialogWindow();
    }
    return shape->DialogProc(message, wParam, lParam);
}

LRESULT TShape::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    bool notHandled = false;
    LRESULT result = HandleMessage(message, wParam, lParam, notHandled);
    return notHandled ? DefWindowProcA(hwnd, message, wParam, lParam) : result;
}

INT_PTR TShape::DialogProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) Setup();
    bool notHandled = false;
    LRESULT result = HandleMessage(message, wParam, lParam, notHandled);
    if (notHandled) return FALSE;
    // Colour messages answer with the brush itself, not through the dialog result.
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) return result;
    SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

LRESULT TShape::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& notHandled)
{
    notHandled = false;
    TShapeMessages::Row row = TShapeMessages::Find(message);
    if (!row) {
        notHandled = true;
        return 0;
    }
    return row(*this, message, wParam, lParam, notHandled);
}

// A long list measures one line after another with the same id: the control found last is
// checked first, which spares a round trip to the Wine server per line.
HWND TShape::ControlOfId(int id)
{
    if (!measuredControl || GetParent(measuredControl) != hwnd || GetDlgCtrlID(measuredControl) != id)
        measuredControl = GetDlgItem(hwnd, id);
    return measuredControl;
}

void CloseDropDownLists()
{
    for (HWND list = FindWindowExA(nullptr, nullptr, dropDownClass, dropDownTitle); list;
         list = FindWindowExA(nullptr, list, dropDownClass, dropDownTitle))
        PostMessageA(list, WM_KILLFOCUS, 0, 0);
}

bool AnyDropDownListVisible()
{
    for (HWND list = FindWindowExA(nullptr, nullptr, dropDownClass, dropDownTitle); list;
         list = FindWindowExA(nullptr, list, dropDownClass, dropDownTitle))
        if (IsWindowVisible(list)) return true;
    return false;
}

LRESULT TShapeMessages::Destroy(TShape& shape, UINT, WPARAM, LPARAM, bool& notHandled)
{
    ReleaseSystemMenu(&shape);
    notHandled = true;
    return 0;
}

// The children are gone by now, so nothing can look the shape up through the property any more.
LRESULT TShapeMessages::NcDestroy(TShape& shape, UINT, WPARAM, LPARAM, bool& notHandled)
{
    RemovePropA(Handle(shape), "TShapeDlg");
    notHandled = true;
    return 0;
}

LRESULT TShapeMessages::Size(TShape& shape, UINT, WPARAM, LPARAM lParam, bool& notHandled)
{
    if (!shape.StatusBar()) {
        notHandled = true;
        return 0;
    }
    int width = LOWORD(lParam), height = HIWORD(lParam), barHeight = StatusBarHeight(shape);
    HDWP positions = BeginDeferWindowPos(1);
    positions = DeferWindowPos(positions, shape.StatusBar(), nullptr, 0, height - barHeight, width, height,
                               SWP_NOZORDER);
    EndDeferWindowPos(positions);
    return 0;
}

LRESULT TShapeMessages::SetFocus(TShape& shape, UINT, WPARAM, LPARAM, bool& notHandled)
{
    for (HWND child = GetWindow(Handle(shape), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongA(child, GWL_STYLE) & WS_TABSTOP) && IsWindowEnabled(child)) {
            ::SetFocus(child);
            break;
        }
    }
    notHandled = true;
    return 0;
}

LRESULT TShapeMessages::Paint(TShape& shape, UINT, WPARAM, LPARAM, bool&)
{
    TPaintDC dc(Handle(shape));
    RECT area;
    GetClientRect(Handle(shape), &area);
    area.bottom -= StatusBarHeight(shape);
    RECT clip;
    if (!IsPaletteDevice(dc) && ClientBackground() && IntersectRect(&clip, &area, &dc.Area()))
        ClientBackground()->PaintBackground(dc, area, clip);
    shape.RootGroup().Paint(&shape, dc);
    return 0;
}

LRESULT TShapeMessages::Close(TShape& shape, UINT, WPARAM, LPARAM, bool& notHandled)
{
    if (!shape.HandleClose()) return 0;
    if (shape.dialogHosted) {
        EndDialog(Handle(shape), shape.ResultCode());
        return 0;
    }
    notHandled = true;
    return 0;
}

LRESULT TShapeMessages::ShowWindow(TShape& shape, UINT, WPARAM wParam, LPARAM, bool&)
{
    shape.NotifyShowHide(wParam != 0);
    return 0;
}

LRESULT TShapeMessages::SettingChange(TShape& shape, UINT message, WPARAM wParam, LPARAM lParam, bool& notHandled)
{
    if (wParam != SPI_SETNONCLIENTMETRICS) {
        notHandled = true;
        return 0;
    }
    TShape* mainShape = TShape::ApplicationMainShape();
    if (!mainShape || mainShape == &shape) ReloadSharedBackgrounds();
    RecomputeMenuMetrics(&shape);
    for (HWND child = GetWindow(Handle(shape), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        PostMessageA(child, message, wParam, lParam);
    return 0;
}

LRESULT TShapeMessages::ActivateApp(TShape& shape, UINT message, WPARAM wParam, LPARAM lParam, bool& notHandled)
{
    MSG details{};
    details.message = message;
    details.wParam = wParam;
    details.lParam = lParam;
    EnumChildWindows(Handle(shape), &ActivateAppChild, reinterpret_cast<LPARAM>(&details));
    notHandled = true;
    return 0;
}

LRESULT TShapeMessages::DrawItem(TShape& shape, UINT message, WPARAM wParam, LPARAM lParam, bool& notHandled)
{
    if (shape.StatusBar() && static_cast<int>(wParam) == shape.StatusBarId()) {
        shape.statusText.Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    LRESULT result = 0;
    if (item->CtlType != ODT_MENU && ReflectToControl(item->hwndItem, message, wParam, lParam, result)) return result;
    return HandleOwnerDrawnItem(&shape, message, wParam, lParam, notHandled);
}

LRESULT TShapeMessages::MeasureItem(TShape& shape, UINT message, WPARAM wParam, LPARAM lParam, bool& notHandled)
{
    MEASUREITEMSTRUCT* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (item->CtlType == ODT_MENU) return HandleOwnerDrawnItem(&shape, message, wParam, lParam, notHandled);
    LRESULT result = 0;
    if (ReflectToControl(shape.ControlOfId(static_cast<int>(item->CtlID)), message, wParam, lParam, result))
        return result;
    // A push button without a window of its own takes the size its row gives every button.
    if (item->CtlType == ODT_BUTTON) return MeasureTransparentPushButton(Handle(shape), *item);
    return HandleOwnerDrawnItem(&shape, message, wParam, lParam, notHandled);
}

LRESULT TShapeMessages::Notify(TShape& shape, UINT message, WPARAM wParam, LPARAM lParam, bool& notHandled)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    LRESULT result = 0;
    if (ReflectToControl(header->hwndFrom, message, wParam, lParam, result)) return result;
    if (shape.OnNotify(static_cast<int>(wParam), reinterpret_cast<NMHDR*>(lParam))) return 1;
    notHandled = true;
    return 0;
}

LRESULT TShapeMessages::Help(TShape&, UINT, WPARAM, LPARAM lParam, bool&)
{
    const HELPINFO* info = reinterpret_cast<const HELPINFO*>(lParam);
    MessageBeep(MB_ICONASTERISK);
    DWORD contextId = info->dwContextId ? static_cast<DWORD>(info->dwContextId) : static_cast<DWORD>(-1);
    DWORD ids[4] = {static_cast<DWORD>(info->iCtrlId), contextId, 0, 0};
    return OpenHelp(static_cast<HWND>(info->hItemHandle), HelpFilePath(), HELP_WM_HELP,
                    reinterpret_cast<ULONG_PTR>(ids));
}

LRESULT TShapeMessages::ContextMenu(TShape& shape, UINT, WPARAM wParam, LPARAM lParam, bool& notHandled)
{
    CloseDropDownLists();
    HWND clicked = reinterpret_cast<HWND>(wParam);
    int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    if (shape.RootGroup().ContextMenu(clicked, x, y)) {
        TShape::SetCommandReceiver(nullptr);
        return 0;
    }
    if (shape.HelpMenu()) {
        shape.helpWindow = clicked;
        if (GetWindowContextHelpId(clicked)) {
            TrackPopupMenu(shape.HelpMenu(), TPM_RIGHTBUTTON, x, y, 0, Handle(shape), nullptr);
            return 0;
        }
    }
    notHandled = true;
    return 0;
}

// The whole client area drags the window, except while the right button is down.
LRESULT TShapeMessages::NcHitTest(TShape& shape, UINT message, WPARAM wParam, LPARAM lParam, bool& notHandled)
{
    if (GetKeyState(VK_RBUTTON) & 0x8000) {
        notHandled = true;
        return 0;
    }
    LRESULT hit = DefWindowProcA(Handle(shape), message, wParam, lParam);
    return hit == HTCLIENT ? HTCAPTION : hit;
}

LRESULT TShapeMessages::NcActivity(TShape&, UINT, WPARAM, LPARAM, bool& notHandled)
{
    CloseDropDownLists();
    notHandled = true;
    return 0;
}

LRESULT TShapeMessages::Command(TShape& shape, UINT message, WPARAM wParam, LPARAM lParam, bool& notHandled)
{
    int id = LOWORD(wParam);
    if (id == IDCANCEL && AnyDropDownListVisible()) {
        // Escape closes the open list, not the shape.
        CloseDropDownLists();
        return -1;
    }
    if (id == static_cast<int>(TShape::HelpMenuCommand)) {
        MessageBeep(MB_ICONASTERISK);
        OpenHelp(Handle(shape), HelpFilePath(), HELP_CONTEXTPOPUP, GetWindowContextHelpId(shape.helpWindow));
        return -1;
    }
    LRESULT result = 0;
    if (ReflectToControl(reinterpret_cast<HWND>(lParam), message, wParam, lParam, result)) return result;
    shape.OnCommand(id, reinterpret_cast<HWND>(lParam), HIWORD(wParam));
    notHandled = true;
    return 0;
}

LRESULT TShapeMessages::SysCommand(TShape& shape, UINT, WPARAM wParam, LPARAM lParam, bool&)
{
    return shape.OnSysCommand(static_cast<UINT>(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

LRESULT TShapeMessages::HScroll(TShape& shape, UINT, WPARAM wParam, LPARAM lParam, bool& notHandled)
{
    if (shape.RootGroup().HScroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam), static_cast<short>(HIWORD(wParam))))
        return 0;
    notHandled = true;
    return 0;
}

LRESULT TShapeMessages::InitMenuPopup(TShape& shape, UINT, WPARAM, LPARAM lParam, bool&)
{
    if (HIWORD(lParam)) {
        bool topmost = (GetWindowLongA(Handle(shape), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        CheckMenuItem(GetSystemMenu(Handle(shape), FALSE), AlwaysOnTopCommand,
                      MF_BYCOMMAND | (topmost ? MF_CHECKED : MF_UNCHECKED));
    }
    return 0;
}

// Menu help: the string resource of the selected item's id, drawn by the status text.
LRESULT TShapeMessages::MenuSelect(TShape& shape, UINT, WPARAM wParam, LPARAM, bool& notHandled)
{
    notHandled = true;
    HWND bar = shape.StatusBar();
    if (!bar) return 0;
    UINT item = LOWORD(wParam), flags = HIWORD(wParam);
    if (flags == 0xFFFF || (flags & MF_POPUP)) {
        int parts[1] = {GetSystemMetrics(SM_CXSCREEN)};
        SendMessageA(bar, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(parts));
        SendMessageA(bar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(""));
        return 0;
    }
    RECT client;
    GetClientRect(bar, &client);
    int parts[1] = {client.right};
    SendMessageA(bar, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(parts));
    char text[1024];
    int length = LoadStringA(TWindow::ModuleInstance(), item, text, sizeof text);
    text[length > 0 ? length : 0] = '\0';
    shape.statusText.SetHelp(text, !(flags & (MF_GRAYED | MF_DISABLED)));
    SendMessageA(bar, SB_SETTEXTA, SBT_OWNERDRAW | SBT_NOBORDERS, reinterpret_cast<LPARAM>(&shape.statusText));
    return 0;
}

LRESULT TShapeMessages::MenuChar(TShape& shape, UINT, WPARAM wParam, LPARAM lParam, bool& notHandled)
{
    return HandleMenuChar(&shape, wParam, lParam, notHandled);
}

LRESULT TShapeMessages::CtlColor(TShape&, UINT message, WPARAM wParam, LPARAM lParam, bool& notHandled)
{
    LRESULT result = 0;
    HWND control = reinterpret_cast<HWND>(lParam);
    if (ReflectToControl(control, message, wParam, lParam, result)) return result;
    // A disabled list shows the face colour; anything else is drawn as the system draws it.
    if (message != WM_CTLCOLORLISTBOX || IsWindowEnabled(control)) {
        notHandled = true;
        return 0;
    }
    SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT TShapeMessages::SizeMove(TShape& shape, UINT message, WPARAM wParam, LPARAM lParam, bool& notHandled)
{
    switch (message) {
    case WM_ENTERSIZEMOVE:
        shape.SnapTracker().BeginTracking();
        break;
    case WM_EXITSIZEMOVE:
        if (shape.SnapTracker().EndTracking() && !shape.PlacementName().IsEmpty()) StorePlacement(&shape);
        break;
    default:
        if (RECT* proposed = reinterpret_cast<RECT*>(lParam))
            shape.SnapTracker().Follow(message == WM_SIZING ? static_cast<int>(wParam) : 0, *proposed);
        return TRUE;
    }
    notHandled = true;
    return 0;
}

LRESULT TShapeMessages::QueryNewPalette(TShape& shape, UINT, WPARAM, LPARAM, bool& notHandled)
{
    if (!shape.palette) {
        notHandled = true;
        return 0;
    }
    if (RealizePalette(shape, false) > 0) InvalidateRect(Handle(shape), nullptr, TRUE);
    return 1;
}

LRESULT TShapeMessages::PaletteChanged(TShape& shape, UINT, WPARAM wParam, LPARAM, bool& notHandled)
{
    notHandled = true;
    if (!shape.palette || reinterpret_cast<HWND>(wParam) == Handle(shape)) return 0;
    RealizePalette(shape, true);
    return 0;
}
