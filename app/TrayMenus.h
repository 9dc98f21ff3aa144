// TTrayMenus: the tray icon's menu and the settings window's context menu, both drawn with icons.
#pragma once

#include <windows.h>

#include <memory>

#include "foundation/Handles.h"
#include "framework/OwnerDrawnMenu.h"

class TTrayMenus {
public:
    // From menu resource 1 of the program: pop-up 0 is the tray menu, pop-up 1 the context menu.
    TTrayMenus();
    ~TTrayMenus();
    TTrayMenus(const TTrayMenus&) = delete;
    TTrayMenus& operator=(const TTrayMenus&) = delete;

    HMENU TrayMenu() const { return trayMenu; }
    HMENU ContextMenu() const { return contextMenu; }

    // The same command in both menus.
    void EnableCommand(UINT command, bool enabled);
    // The menus' item sizes after the system's menu font changed.
    void RecomputeMetrics();

private:
    void DecorateItems();

    TOwnedMenu resource;       // the loaded menu with both pop-ups
    TBorrowedMenu trayMenu;    // pop-up 0 of `resource`
    TBorrowedMenu contextMenu; // pop-up 1 of `resource`
    // Released before the menu they decorate (they turn the items back into plain ones):
    // members go in the reverse order of their declaration.
    std::unique_ptr<TOwnerDrawnMenu> trayIcons;
    std::unique_ptr<TOwnerDrawnMenu> contextIcons;
};
