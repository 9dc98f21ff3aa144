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

// (The shape calls ExtendSystemMenu and the other menu hooks of framework/ShapeHooks.h.)
