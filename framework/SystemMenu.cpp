// The extended system menu: the added items, their icons and the owner-drawn menu hooks.
#include "framework/SystemMenu.h"

#include "foundation/IconCache.h"
#include "foundation/MenuHelpers.h"
#include "framework/Shape.h"
#include "framework/Translucency.h"

const char PositionMenuText[] = "表示位置(&P)";

namespace {

struct TMenuIcon {
    UINT id;
    const char* resource;
};

const TMenuIcon commandIcons[] = {
    {SC_RESTORE, "WINDOWRESTORE_ICON"},
    {SC_MOVE, "WINDOWMOVE_ICON"},
    {SC_SIZE, "WINDOWRESIZE_ICON"},
    {SC_MINIMIZE, "WINDOWICON_ICON"},
    {SC_MAXIMIZE, "WINDOWZOOM_ICON"},
    {AlwaysOnTopCommand, "WINDOWTOPMOST_ICON"},
    {CentreCommand, "WINDOWCENTERPOS_ICON"},
    {MousePositionCommand, "WINDOWMOUSEPOS_ICON"},
    {KeepPositionCommand, "WINDOWSERIALPOS_ICON"},
    {TranslucencyCommand, "WINDOWTRANSPARENT_ICON"},
    {SC_CLOSE, "WINDOWCLOSE_ICON"},
};

const UINT grayed = MF_BYCOMMAND | MF_GRAYED | MF_DISABLED;

TShapeMenus& MenusOf(TShape* shape)
{
    if (!shape->Menus()) shape->Menus().reset(new TShapeMenus);
    return *shape->Menus();
}

// Each item goes in at the close item's position, so the later ones land above the earlier.
HMENU InsertAddedItems(HMENU systemMenu)
{
    int close = MenuPositionOfCommand(systemMenu, SC_CLOSE);
    UINT at = static_cast<UINT>(close >= 0 ? close : GetMenuItemCount(systemMenu));
    InsertMenuA(systemMenu, at, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    if (LayeredAvailable())
        InsertMenuA(systemMenu, at, MF_BYPOSITION | MF_STRING, TranslucencyCommand, "半透明にする(&A)\tAlt+F3");
    InsertMenuA(systemMenu, at, MF_BYPOSITION | MF_STRING, AlwaysOnTopCommand, "常に手前に表示(&T)\tAlt+F5");
    HMENU positions = CreatePopupMenu();
    InsertMenuA(positions, 0, MF_BYPOSITION | MF_STRING, KeepPositionCommand, "次回もこの位置で表示(&S)");
    InsertMenuA(positions, 0, MF_BYPOSITION | MF_STRING, MousePositionCommand, "マウスカーソルの位置へ表示(&M)");
    InsertMenuA(positions, 0, MF_BYPOSITION | MF_STRING, CentreCommand, "画面中央に表示(&C)");
    InsertMenuA(systemMenu, at, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(positions), PositionMenuText);
    return positions;
}

void AttachIcons(TOwnerDrawnMenu& menu, HMENU positions)
{
    for (const TMenuIcon& icon : commandIcons) menu.AttachIcon(icon.id, icon.resource);
    menu.AttachPopupIcon(positions, IconByName("WINDOWPOSITION_ICON"));
}

} // namespace

void TShapeMenusRelease::operator()(TShapeMenus* menus) const { delete menus; }

void MarkPositionMode(TShape* shape, UINT command)
{
    HMENU menu = GetSystemMenu(shape->Handle(), FALSE);
    if (!menu || GetMenuState(menu, CentreCommand, MF_BYCOMMAND) == static_cast<UINT>(-1)) return;
    for (UINT id : {CentreCommand, MousePositionCommand, KeepPositionCommand})
        CheckMenuItem(menu, id, MF_BYCOMMAND | (id == command ? MF_CHECKED : MF_UNCHECKED));
}

void ExtendSystemMenu(TShape* shape)
{
    TShapeMenus& menus = MenusOf(shape);
    menus.systemMenu.reset();
    HMENU systemMenu = GetSystemMenu(shape->Handle(), FALSE);
    if (!systemMenu) return;
    HMENU positions = InsertAddedItems(systemMenu);
    // The placement store enables these once the shape has a placement name.
    for (UINT id : {KeepPositionCommand, MousePositionCommand, CentreCommand}) EnableMenuItem(systemMenu, id, grayed);
    if (!shape->Closable()) EnableMenuItem(systemMenu, SC_CLOSE, grayed);
    menus.systemMenu.reset(new TOwnerDrawnMenu(systemMenu));
    AttachIcons(*menus.systemMenu, positions);
    menus.systemMenu->MakeOwnerDrawn();
}

// The window is going: the help menu cannot open any more either.
void ReleaseSystemMenu(TShape* shape)
{
    shape->Menus().reset();
}

void RecomputeMenuMetrics(TShape* shape)
{
    if (!shape->Menus()) return;
    if (shape->Menus()->systemMenu) shape->Menus()->systemMenu->RecomputeMetrics();
    if (shape->Menus()->helpMenu) shape->Menus()->helpMenu->RecomputeMetrics();
}

void MakeHelpMenuOwnerDrawn(TShape* shape, HMENU helpMenu)
{
    TShapeMenus& menus = MenusOf(shape);
    menus.helpMenu.reset(new TOwnerDrawnMenu(helpMenu));
    for (int index = 0; index < menus.helpMenu->Count(); ++index)
        menus.helpMenu->Item(index)->SetIcon(FileTypeIcon("*.hlp"));
    menus.helpMenu->MakeOwnerDrawn();
}

void ReleaseHelpMenu(TShape* shape)
{
    if (shape->Menus()) shape->Menus()->helpMenu.reset();
}

LRESULT HandleOwnerDrawnItem(TShape*, UINT message, WPARAM, LPARAM lParam, bool& notHandled)
{
    notHandled = false;
    if (message == WM_MEASUREITEM && TOwnerDrawnMenu::MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)))
        return TRUE;
    if (message == WM_DRAWITEM && TOwnerDrawnMenu::DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)))
        return TRUE;
    notHandled = true;
    return 0;
}

LRESULT HandleMenuChar(TShape*, WPARAM wParam, LPARAM lParam, bool& notHandled)
{
    return TOwnerDrawnMenu::MenuChar(reinterpret_cast<HMENU>(lParam), static_cast<char>(LOWORD(wParam)), notHandled);
}
