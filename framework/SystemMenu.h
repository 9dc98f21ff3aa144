// The extended system menu of a shape: its added commands and its owner-drawn menu objects.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/KeyboardTable.h"
#include "framework/OwnerDrawnMenu.h"

class TShape;

// The added commands besides AlwaysOnTopCommand (63078) and TranslucencyCommand (63084).
const UINT CentreCommand = 63079;
const UINT MousePositionCommand = 63080;
const UINT KeepPositionCommand = 63081;

// The caption of the position pop-up.
extern const char PositionMenuText[];

// What a shape keeps of its menus: the owner-drawn objects of its system and help menus.
struct TShapeMenus {
    std::unique_ptr<TOwnerDrawnMenu> systemMenu;
    std::unique_ptr<TOwnerDrawnMenu> helpMenu;
};

// Checks one of the three position commands and unchecks the others, when the shape's
// system menu has them.
void MarkPositionMode(TShape* shape, UINT command);

// The shape's setup extends its system menu and its destruction releases what that made.
void ExtendSystemMenu(TShape* shape);
void ReleaseSystemMenu(TShape* shape);
// After the system's menu font changed.
void RecomputeMenuMetrics(TShape* shape);
// The help context menu's item gets the shell's icon of help files.
void MakeHelpMenuOwnerDrawn(TShape* shape, HMENU helpMenu);
void ReleaseHelpMenu(TShape* shape);
// WM_MEASUREITEM and WM_DRAWITEM of owner-drawn menu items, WM_MENUCHAR of their access keys.
LRESULT HandleOwnerDrawnItem(TShape* shape, UINT message, WPARAM wParam, LPARAM lParam, bool& notHandled);
LRESULT HandleMenuChar(TShape* shape, WPARAM wParam, LPARAM lParam, bool& notHandled);
