// The shape's handling of its system-menu commands (OnSysCommand of the base shape).
#include "framework/SystemCommands.h"

#include "framework/CaptionFlash.h"
#include "framework/Placement.h"
#include "framework/Shape.h"
#include "framework/ShapePosition.h"
#include "framework/SystemMenu.h"
#include "framework/Translucency.h"

namespace {

LRESULT DefaultCommand(TShape* shape, UINT command, int x, int y)
{
    return DefWindowProcA(shape->Handle(), WM_SYSCOMMAND, command, MAKELPARAM(x, y));
}

// The Cancel button hears of it first, as if it had been pressed.
LRESULT Close(TShape* shape, UINT command, int x, int y)
{
    HWND cancel = GetDlgItem(shape->Handle(), IDCANCEL);
    shape->OnCommand(IDCANCEL, cancel ? cancel : shape->Handle(), 0);
    if (!shape->Closable()) return -1;
    return DefaultCommand(shape, command, x, y);
}

// Two quick flashes going on top, one slow one coming down.
void ToggleTopmost(TShape* shape)
{
    HWND window = shape->Handle();
    bool topmost = (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    if (topmost)
        FlashCaption(window, 1, 300);
    else
        FlashCaption(window, 2, 100);
    SetWindowPos(window, topmost ? HWND_NOTOPMOST : HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

bool Checked(TShape* shape, UINT command)
{
    UINT state = GetMenuState(GetSystemMenu(shape->Handle(), FALSE), command, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & MF_CHECKED);
}

} // namespace

LRESULT HandleSystemCommand(TShape* shape, UINT command, int x, int y)
{
    if ((command & 0xFFF0) == SC_CLOSE) return Close(shape, command, x, y);
    switch (command) {
    case AlwaysOnTopCommand:
        ToggleTopmost(shape);
        break;
    case CentreCommand:
        CentreShape(shape);
        break;
    case MousePositionCommand:
        PlaceShapeAtMouse(shape);
        break;
    case KeepPositionCommand:
        MarkPositionMode(shape, KeepPositionCommand);
        break;
    case TranslucencyCommand:
        SetTranslucent(shape, !Checked(shape, TranslucencyCommand));
        StorePlacement(shape);
        return DefaultCommand(shape, command, x, y);
    default:
        return DefaultCommand(shape, command, x, y);
    }
    StorePlacement(shape);
    return 0;
}
