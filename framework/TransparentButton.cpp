// TTransparentButton: check boxes, radio buttons, group boxes and owner-drawn push buttons
// painted over the parent's background, with the default frame following the focus.
#include "framework/TransparentButton.h"

#include "framework/TransparentControls.h"
#include "foundation/Handles.h"
#include "foundation/HeapString.h"
#include "foundation/IconSource.h"
#include "foundation/ScreenScale.h"
#include "foundation/SystemChecks.h"
#include "framework/HaloText.h"
#include "framework/TransparentSuperclass.h"
#include "framework/Window.h"
#include "framework/WindowBinding.h"

namespace {

SIZE pushButtonSize = {0, 0};

bool IsTransparentPushButton(HWND window) { return TransparentClass(transparentPushButton).IsClassOf(window); }

bool IsPushButtonWindow(HWND window)
{
    if (!window) return false;
    if (IsTransparentPushButton(window)) return true;
    char name[16];
    if (GetClassNameA(window, name, sizeof name) <= 0 || lstrcmpiA(name, "Button") != 0) return false;
    const LONG type = GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW;
}

// The shape's default push button: its first child that Return would press by default.
HWND DefaultButtonOf(HWND shape)
{
    for (HWND child = GetWindow(shape, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsTransparentDefaultButton(child)) return child;
        char name[16];
        if (GetClassNameA(child, name, sizeof name) > 0 && lstrcmpiA(name, "Button") == 0 &&
            (GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            return child;
        }
    }
    return nullptr;
}

// Another push button of the same parent has the focus, so it shows the default frame.
bool OtherPushButtonFocused(HWND control)
{
    HWND focus = GetFocus();
    return focus && focus != control && GetParent(focus) == GetParent(control) && IsPushButtonWindow(focus);
}

HICON ButtonIcon(HWND control)
{
    HICON icon = reinterpret_cast<HICON>(SendMessageA(control, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(SendMessageA(control, WM_GETICON, ICON_BIG, 0));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrA(control, GCLP_HICON));
    return icon;
}

// WM_SETFOCUS / WM_KILLFOCUS of a push button: the default button gives up its thick frame
// while another push button has the focus, and takes it back when the focus leaves them.
void MoveDefaultFrame(HWND control, UINT message, HWND otherSide)
{
    InvalidateUnderControl(control, 2);
    HWND defaultButton = DefaultButtonOf(GetParent(control));
    if (!defaultButton || defaultButton == control) return;
    if (otherSide && IsPushButtonWindow(otherSide)) return;
    TWindowDC dc(defaultButton);
    if (!dc) return;
    TTransparentButton::DrawButton(defaultButton, dc, IsWindowEnabled(defaultButton) != FALSE, false, false, false,
                                   message == WM_SETFOCUS);
}

bool HeldPressed(HWND control)
{
    if (GetKeyState(VK_LBUTTON) & 0x8000) return false;
    if (GetCapture() != control) return false;
    POINT cursor;
    RECT window;
    GetCursorPos(&cursor);
    GetWindowRect(control, &window);
    return PtInRect(&window, cursor) != FALSE;
}

void PaintButton(HWND control)
{
    TPaintDC dc(control);
    const bool checked = SendMessageA(control, BM_GETCHECK, 0, 0) != BST_UNCHECKED;
    TTransparentButton::DrawButton(control, dc, IsWindowEnabled(control) != FALSE, checked, GetFocus() == control,
                                   HeldPressed(control), false);
}

// The push-button frame: pressed, or raised with an optional 1-pixel black default frame.
void DrawPushFrame(HWND control, HDC dc, RECT frame, bool focused, bool pressed, bool withoutDefaultFrame)
{
    if (pressed) {
        DrawEdge(dc, &frame, BDR_RAISEDOUTER, BF_RECT | BF_MONO);
        InflateRect(&frame, -1, -1);
        DrawEdge(dc, &frame, BDR_RAISEDOUTER, BF_RECT | BF_FLAT);
        return;
    }
    TTransparentControl* record = TransparentControlOf(control);
    const bool isDefault = record && record->isDefault && !OtherPushButtonFocused(control) && !withoutDefaultFrame;
    if (focused || isDefault) {
        FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&frame, -1, -1);
    }
    DrawEdge(dc, &frame, BDR_RAISEDOUTER, BF_RECT);
    frame.right -= 1;
    frame.bottom -= 1;
    DrawEdge(dc, &frame, BDR_RAISEDINNER, BF_BOTTOMRIGHT);
    DrawEdge(dc, &frame, BDR_RAISEDINNER, BF_TOPLEFT);
}

// The owner-drawn push button draws and measures itself when its shape reflects the item to it.
bool AnswerReflected(HWND control, TReflected& reflected)
{
    if (reflected.message == WM_DRAWITEM)
        reflected.result = DrawTransparentPushButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(reflected.lParam));
    else if (reflected.message == WM_MEASUREITEM)
        reflected.result = MeasureTransparentPushButton(GetParent(control), *reinterpret_cast<MEASUREITEMSTRUCT*>(reflected.lParam));
    else
        return false;
    reflected.handled = reflected.result != FALSE;
    return true;
}

LRESULT ButtonMessage(TTransparentControl& control, UINT message, WPARAM wParam, LPARAM lParam)
{
    const TTransparentClass& superclass = TransparentClass(transparentButton);
    HWND window = control.hwnd;
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (IsTransparentPushButton(window)) MoveDefaultFrame(window, message, reinterpret_cast<HWND>(wParam));
        return superclass.CallSystem(window, message, wParam, lParam);
    case WM_ENABLE:
        InvalidateUnderControl(window, 0);
        return superclass.CallSystem(window, message, wParam, lParam);
    case WM_PAINT:
        if (GetFocus() == window || IsTransparentPushButton(window)) break;
        PaintButton(window);
        return 0;
    }
    return ForwardTransparent(superclass, window, message, wParam, lParam);
}

} // namespace

TButtonLayout LayOutButton(LONG type, const RECT& client, SIZE text, bool hasIcon, bool pressed)
{
    const int height = client.bottom - client.top;
    TButtonLayout layout{};
    layout.text = POINT{0, (height - text.cy) / 2};
    switch (type) {
    case BS_GROUPBOX:
        layout.edgeTop = Scaled(6);
        layout.text = POINT{Scaled(TTransparentButton::GroupCaptionIndent), 0};
        break;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE: {
        const int glyph = Scaled(13);
        layout.glyph = RECT{0, (height - glyph) / 2, glyph, (height - glyph) / 2 + glyph};
        layout.text.x = Scaled(TTransparentButton::GlyphTextIndent);
        break;
    }
    default: // push buttons: centred, one pixel down and right while pressed
        layout.text.x = (client.right - client.left - text.cx) / 2;
        if (pressed) ++layout.text.x, ++layout.text.y;
        break;
    }
    if (hasIcon) {
        // The icon goes before where the centred text would start, and the text moves over.
        const int size = IconSizeOfKind(0);
        const int left = layout.text.x - Scaled(10), top = (height - size) / 2;
        layout.icon = RECT{left, top, left + size, top + size};
        layout.text.x += Scaled(8);
    }
    return layout;
}

int PushButtonWidthFor(int textWidth, bool hasIcon)
{
    // The icon starts Scaled(10) before the centred text: that much on each side, and one for
    // the halving.
    const int side = TTransparentButton::PushFrame + (hasIcon ? Scaled(10) : 0);
    return textWidth + 2 * side + 1;
}

void TTransparentButton::DrawButton(HWND control, HDC dc, bool enabled, bool checked, bool focused, bool pressed,
                                    bool withoutDefaultFrame)
{
    TSelection font(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    THeapString text;
    TWindow::WindowTextOf(control, text);
    RECT textSize = {0, 0, 0, 0};
    DrawTextA(dc, text, -1, &textSize, DT_CALCRECT | DT_SINGLELINE);
    const SIZE extent{textSize.right - textSize.left, textSize.bottom - textSize.top};

    UINT state = 0;
    if (!enabled) state |= DFCS_INACTIVE;
    if (checked) state |= DFCS_CHECKED;
    if (pressed) state |= DFCS_PUSHED;

    RECT client;
    GetClientRect(control, &client);
    const LONG type = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
    const HICON icon = ButtonIcon(control);
    const TButtonLayout layout = LayOutButton(type, client, extent, icon != nullptr, pressed);
    const int x = layout.text.x, y = layout.text.y;
    UINT glyph = 0; // DFCS_BUTTONCHECK is 0 itself, so the layout's glyph box says whether there is one
    switch (type) {
    case BS_GROUPBOX: {
        RECT edge = client;
        edge.top += layout.edgeTop;
        DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
        RECT strip = {x, 0, x + extent.cx, extent.cy};
        if (!text.IsEmpty()) PaintParentBackground(control, dc, strip);
        break;
    }
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        glyph = DFCS_BUTTONRADIO;
        break;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
        glyph = DFCS_BUTTONCHECK;
        break;
    case BS_3STATE:
    case BS_AUTO3STATE:
        glyph = DFCS_BUTTON3STATE;
        break;
    default: // push buttons
        if (!IsPaletteDevice(dc) && GetFocus() != control) {
            PaintParentBackground(control, dc, client);
        } else {
            FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        }
        DrawPushFrame(control, dc, client, focused, pressed, withoutDefaultFrame);
        break;
    }

    if (icon) {
        const RECT& at = layout.icon;
        DrawStateA(dc, GetSysColorBrush(COLOR_BTNSHADOW), nullptr, reinterpret_cast<LPARAM>(icon), 0, at.left, at.top,
                   at.right - at.left, at.bottom - at.top, DST_ICON | (enabled ? 0 : DSS_DISABLED));
    }
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    DrawHaloText(dc, x, y, enabled, text);
    if (!IsRectEmpty(&layout.glyph)) {
        RECT box = layout.glyph;
        DrawFrameControl(dc, &box, DFC_BUTTON, glyph | state);
    }
    if (focused) {
        RECT around = {x - 1, y - 1, x + extent.cx + 1, y + extent.cy + 2};
        DrawFocusRect(dc, &around);
    }
    SetBkMode(dc, previousMode);
}

LRESULT CALLBACK TTransparentButton::PreWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Drawing needs no record: a push button draws itself bound or not.
    if (TReflected* reflected = AsReflected(message, lParam)) {
        if (IsTransparentPushButton(window)) AnswerReflected(window, *reflected);
        return 0;
    }
    // Both button classes build on "BUTTON": same system procedure, same appended index.
    return TransparentClass(transparentButton).Route(window, message, wParam, lParam, &ButtonMessage);
}

BOOL DrawTransparentPushButton(const DRAWITEMSTRUCT& item)
{
    if (item.CtlType != ODT_BUTTON || !item.hwndItem) return FALSE;
    TTransparentButton::DrawButton(item.hwndItem, item.hDC, !(item.itemState & ODS_DISABLED),
                                   (item.itemState & ODS_CHECKED) != 0, (item.itemState & ODS_FOCUS) != 0,
                                   (item.itemState & ODS_SELECTED) != 0, false);
    return TRUE;
}

BOOL MeasureTransparentPushButton(HWND shape, MEASUREITEMSTRUCT& item)
{
    if (item.CtlType != ODT_BUTTON) return FALSE;
    HWND child = GetDlgItem(shape, static_cast<int>(item.CtlID));
    if (child) {
        RECT window;
        GetWindowRect(child, &window);
        item.itemWidth = static_cast<UINT>(window.right - window.left);
        item.itemHeight = static_cast<UINT>(window.bottom - window.top);
    } else {
        item.itemWidth = static_cast<UINT>(pushButtonSize.cx);
        item.itemHeight = static_cast<UINT>(pushButtonSize.cy);
    }
    return TRUE;
}

void SetTransparentPushButtonSize(int width, int height) { pushButtonSize = SIZE{width, height}; }
