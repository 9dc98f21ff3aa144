// TTrayMenus: loading the menus, their item icons and the enabling of commands in both.
#include "app/TrayMenus.h"

#include "app/Commands.h"
#include "foundation/HeapString.h"
#include "foundation/IconCache.h"
#include "foundation/ProcessEntry.h"
#include "foundation/ShellFolders.h"
#include "foundation/StringOperations.h"

namespace {

const int settingsIconIndex = 22; // the shell's settings picture

void AttachCommandIcons(TOwnerDrawnMenu& menu)
{
    menu.AttachIcon(CommandSettings, ModuleIcon(Concat(SystemDirectory(), "SHELL32.DLL"), settingsIconIndex));
    menu.AttachIcon(CommandPlay, "PLAY_ICON");
    menu.AttachIcon(CommandStop, "STOP_ICON");
    menu.AttachIcon(CommandHelp, IconForClass("hlpfile"));
    menu.AttachIcon(CommandVersion, SystemIconSource(IDI_ASTERISK));
    menu.AttachIcon(CommandExit, "CLOSE_ICON");
    menu.MakeOwnerDrawn();
}

} // namespace

TTrayMenus::TTrayMenus()
{
    resource.Reset(LoadMenuA(ProgramInstance(), MAKEINTRESOURCEA(1)));
    if (!resource) return;
    trayMenu.Reset(GetSubMenu(resource, 0));
    contextMenu.Reset(GetSubMenu(resource, 1));
    DecorateItems();
}

TTrayMenus::~TTrayMenus() = default;

void TTrayMenus::DecorateItems()
{
    if (trayMenu) {
        trayIcons = std::make_unique<TOwnerDrawnMenu>(trayMenu);
        AttachCommandIcons(*trayIcons);
    }
    if (contextMenu) {
        contextIcons = std::make_unique<TOwnerDrawnMenu>(contextMenu);
        AttachCommandIcons(*contextIcons);
    }
}

void TTrayMenus::EnableCommand(UINT command, bool enabled)
{
    const UINT state = enabled ? MF_ENABLED : MF_GRAYED | MF_DISABLED;
    if (trayMenu) EnableMenuItem(trayMenu, command, MF_BYCOMMAND | state);
    if (contextMenu) EnableMenuItem(contextMenu, command, MF_BYCOMMAND | state);
}

void TTrayMenus::RecomputeMetrics()
{
    if (trayIcons) trayIcons->RecomputeMetrics();
    if (contextIcons) contextIcons->RecomputeMetrics();
}
