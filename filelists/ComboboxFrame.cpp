// TOwnerDrawComboboxElement: the "VantryCombobox" frame, its painting, mouse, drops and list items.
#include "filelists/ComboboxElement.h"

#include <shellapi.h>
#include <windowsx.h>

#include "foundation/IconCache.h"
#include "foundation/ScreenScale.h"
#include "framework/DropFiles.h"
#include "foundation/Handles.h"
#include "framework/Window.h"

namespace {

const int buttonWidth = 14;
const int editHeight = 12;

} // namespace

const char* const TOwnerDrawComboboxElement::FrameClassName = "VantryCombobox";

void TOwnerDrawComboboxElement::RegisterFrameClass()
{
    WNDCLASSA description;
    TWindow::FillClassDefaults(description);
    description.hIcon = nullptr;
    description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    description.lpfnWndProc = &TOwnerDrawComboboxElement::PreWndProc;
    description.lpszClassName = FrameClassName;
    TWindow::RegisterWindowClass(description);
}

LRESULT CALLBACK TOwnerDrawComboboxElement::PreWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return TFrameBinding::Route(window, message, wParam, lParam,
                                [](TOwnerDrawComboboxElement& self, UINT message, WPARAM wParam, LPARAM lParam) {
                                    return self.FrameProc(message, wParam, lParam);
                                });
}

LRESULT TOwnerDrawComboboxElement::FrameProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        DragAcceptFiles(frame, TRUE);
        return 0;
    case WM_SIZE:
        PlaceEdit();
        return 0;
    case WM_PAINT:
        PaintFrame();
        return 0;
    case WM_ENABLE:
        InvalidateRect(frame, nullptr, TRUE);
        return 0;
    case WM_SETFOCUS:
        if (editPart.edit) SetFocus(editPart.edit);
        return 0;
    case WM_LBUTTONDOWN:
        MouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_MOUSEMOVE:
        MouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), wParam);
        return 0;
    case WM_LBUTTONUP:
        MouseUp();
        return 0;
    case WM_CAPTURECHANGED:
        if (buttonPressed) RedrawButton(false);
        return 0;
    case WM_COMMAND:
        Command(LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return 0;
    case WM_MEASUREITEM:
        return MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    case WM_DRAWITEM:
        return DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_DROPFILES:
        DropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_DESTROY:
        DestroyWindows();
        break;
    default:
        break;
    }
    return DefWindowProcA(frame, message, wParam, lParam);
}

// The edit sits between the icon and the button, in the shape's coordinates.
void TOwnerDrawComboboxElement::PlaceEdit()
{
    if (!editPart.edit) return;
    RECT client;
    GetClientRect(frame, &client);
    MapWindowPoints(frame, GetParent(editPart.edit), reinterpret_cast<POINT*>(&client), 2);
    const int height = Scaled(editHeight), iconRoom = Scaled(IconRoom);
    const int top = client.top + (client.bottom - client.top - height) / 2;
    MoveWindow(editPart.edit, client.left + iconRoom, top, client.right - Scaled(buttonWidth) - client.left - iconRoom,
               height, TRUE);
}

RECT TOwnerDrawComboboxElement::ButtonRect() const
{
    RECT button;
    GetClientRect(frame, &button);
    button.left = button.right - Scaled(buttonWidth);
    return button;
}

void TOwnerDrawComboboxElement::PaintFrame()
{
    {
        TPaintDC dc(frame);
        PaintFrame(dc);
    }
    if (editPart.edit) InvalidateRect(editPart.edit, nullptr, TRUE);
}

void TOwnerDrawComboboxElement::PaintFrame(HDC dc)
{
    const bool enabled = IsWindowEnabled(frame) != FALSE;
    RECT client;
    GetClientRect(frame, &client);
    FillRect(dc, &client, GetSysColorBrush(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
    if (currentIcon) {
        HICON icon = currentIcon->Get(0, nullptr);
        const int iconSize = IconSizeOfKind(0);
        const int y = client.top + (client.bottom - client.top - iconSize) / 2;
        DrawStateA(dc, enabled ? nullptr : GetSysColorBrush(COLOR_BTNSHADOW), nullptr,
                   reinterpret_cast<LPARAM>(icon), 0, client.left + 1, y, iconSize, iconSize,
                   enabled ? DST_ICON : DST_ICON | DSS_MONO);
    }
    RECT button = ButtonRect();
    UINT state = DFCS_SCROLLCOMBOBOX;
    if (!enabled) state |= DFCS_INACTIVE;
    if (buttonPressed) state |= DFCS_FLAT;
    DrawFrameControl(dc, &button, DFC_SCROLL, state);
}

void TOwnerDrawComboboxElement::RedrawButton(bool pressed)
{
    if (buttonPressed == pressed) return;
    buttonPressed = pressed;
    RECT button = ButtonRect();
    InvalidateRect(frame, &button, TRUE);
}

void TOwnerDrawComboboxElement::MouseDown(int x, int y)
{
    RECT button = ButtonRect();
    POINT point{x, y};
    if (!PtInRect(&button, point)) return;
    ToggleList();
    if (!IsListOpen()) return;
    if (editPart.edit) SetFocus(editPart.edit);
    RedrawButton(true);
    SetCapture(frame);
}

// While the button is held, the list takes the mouse over as soon as the cursor reaches it.
void TOwnerDrawComboboxElement::MouseMove(int x, int y, WPARAM keys)
{
    if (GetCapture() != frame || !(keys & MK_LBUTTON)) return;
    RECT button = ButtonRect();
    POINT point{x, y};
    RedrawButton(PtInRect(&button, point) != FALSE);
    if (!IsListOpen()) return;
    RECT listArea;
    GetWindowRect(listPart.list, &listArea);
    POINT screen = point;
    ClientToScreen(frame, &screen);
    if (PtInRect(&listArea, screen)) SetCapture(listPart.list);
}

void TOwnerDrawComboboxElement::MouseUp()
{
    RedrawButton(false);
    if (GetCapture() == frame) ReleaseCapture();
}

void TOwnerDrawComboboxElement::DropFiles(HDROP drop)
{
    const THeapString dropped = TakeDroppedFile(frame, drop);
    if (dropped.IsEmpty()) return;
    ShowText(dropped);
    SetCurrentIcon(IconForFile(text));
    Changed();
}

LRESULT TOwnerDrawComboboxElement::MeasureItem(MEASUREITEMSTRUCT& measure)
{
    auto* item = reinterpret_cast<TComboListItem*>(measure.itemData);
    if (!item || !listPart.list) return FALSE;
    TWindowFontDC dc(listPart.list);
    item->Measure(dc, TComboListItem::MeasureGap(dc));
    measure.itemWidth = item->itemWidth;
    measure.itemHeight = item->itemHeight;
    return TRUE;
}

LRESULT TOwnerDrawComboboxElement::DrawItem(const DRAWITEMSTRUCT& draw)
{
    auto* item = reinterpret_cast<const TComboListItem*>(draw.itemData);
    if (draw.itemID == static_cast<UINT>(-1) || !item) return TRUE;
    item->Draw(draw);
    return TRUE;
}
