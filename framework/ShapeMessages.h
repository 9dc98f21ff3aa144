// TShapeMessages: the rows of a shape's message handler, one function per message.
#pragma once

#include <windows.h>

class TShape;

struct TShapeMessages {
    using Row = LRESULT (*)(TShape& shape, UINT message, WPARAM wParam, LPARAM lParam, bool& notHandled);
    // The row for `message`, or null when the message goes to default processing.
    static Row Find(UINT message);

    static LRESULT Destroy(TShape&, UINT, WPARAM, LPARAM, bool&);
    static LRESULT NcDestroy(TShape&, UINT, WPARAM, LPARAM, bool&);
    static LRESULT Size(TShape&, UINT, WPARAM, LPARAM, bool&);
    static LRESULT SetFocus(TShape&, UINT, WPARAM, LPARAM, bool&);
    static LRESULT Paint(TShape&, UINT, WPARAM, LPARAM, bool&);
    static LRESULT Close(TShape&, UINT, WPARAM, LPARAM, bool&);
    static LRESULT ShowWindow(TShape&, UINT, WPARAM, LPARAM, bool&);
    static LRESULT SettingChange(TShape&, UINT, WPARAM, LPARAM, bool&);
    static LRESULT ActivateApp(TShape&, UINT, WPARAM, LPARAM, bool&);
    static LRESULT DrawItem(TShape&, UINT, WPARAM, LPARAM, bool&);
    static LRESULT MeasureItem(TShape&, UINT, WPARAM, LPARAM, bool&);
    static LRESULT Notify(TShape&, UINT, WPARAM, LPARAM, bool&);
    static LRESULT Help(TShape&, UINT, WPARAM, LPARAM, bool&);
    static LRESULT ContextMenu(TShape&, UINT, WPARAM, LPARAM, bool&);
    static LRESULT NcHitTest(TShape&, UINT, WPARAM, LPARAM, bool&);
    static LRESULT NcActivity(TShape&, UINT, WPARAM, LPARAM, bool&);
    static LRESULT Command(TShape&, UINT, WPARAM, LPARAM, bool&);
    static LRESULT SysCommand(TShape&, UINT, WPARAM, LPARAM, bool&);
    static LRESULT HScroll(TShape&, UINT, WPARAM, LPARAM, bool&);
    static LRESULT InitMenuPopup(TShape&, UINT, WPARAM, LPARAM, bool&);
    static LRESULT MenuSelect(TShape&, UINT, WPARAM, LPARAM, bool&);
    static LRESULT MenuChar(TShape&, UINT, WPARAM, LPARAM, bool&);
    static LRESULT CtlColor(TShape&, UINT, WPARAM, LPARAM, bool&);
    static LRESULT SizeMove(TShape&, UINT, WPARAM, LPARAM, bool&);
    static LRESULT QueryNewPalette(TShape&, UINT, WPARAM, LPARAM, bool&);
    static LRESULT PaletteChanged(TShape&, UINT, WPARAM, LPARAM, bool&);
};

// Drop-down lists of combo edits float as top-level windows; these close or find them.
void CloseDropDownLists();
bool AnyDropDownListVisible();
