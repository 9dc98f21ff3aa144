// The main shape: the display-state table, the tray tip, the version text and the context menu.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/Commands.h"
#include "app/MainShape.h"
#include "app/VersionWindow.h"
#include "framework/TestElements.h"

namespace {

bool Grayed(HMENU menu, UINT command)
{
    return (GetMenuState(menu, command, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) != 0;
}

bool menuOpened = false;
void CALLBACK NoteMenuAndClose(HWND window, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(window, timer);
    HWND menu = FindWindowA("#32768", nullptr);
    menuOpened = menu && IsWindowVisible(menu);
    EndMenu();
}

// Whether WM_CONTEXTMENU at a screen point opens a menu; the menu is closed again.
bool ContextMenuOpensAt(HWND window, POINT point)
{
    menuOpened = false;
    SetTimer(window, 1, 200, &NoteMenuAndClose);
    SendMessageA(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window),
                 MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y)));
    KillTimer(window, 1);
    return menuOpened;
}

} // namespace

TEST(MainShapeTest, DisplayStateSetsIconAndMenusInBothPopups)
{
    TMainShape shape;
    ASSERT_NE(shape.Menus().TrayMenu(), nullptr);
    ASSERT_NE(shape.Menus().ContextMenu(), nullptr);
    HICON appIcon = shape.TrayIconHandle();
    ASSERT_NE(appIcon, nullptr);

    shape.SetPlayerState(StatePlaying);
    EXPECT_NE(shape.TrayIconHandle(), appIcon);
    for (HMENU menu : {shape.Menus().TrayMenu(), shape.Menus().ContextMenu()}) {
        EXPECT_TRUE(Grayed(menu, CommandPlay));
        EXPECT_FALSE(Grayed(menu, CommandStop));
    }
    // Stopped with an empty list offers nothing to play.
    shape.SetPlayerState(StateStopped);
    EXPECT_EQ(shape.TrayIconHandle(), appIcon);
    EXPECT_TRUE(Grayed(shape.Menus().TrayMenu(), CommandPlay));
    EXPECT_TRUE(Grayed(shape.Menus().ContextMenu(), CommandStop));
    EXPECT_EQ(shape.PlayerState(), StateStopped);

    shape.SetPlayerState(StatePaused);
    HICON pauseIcon = shape.TrayIconHandle();
    EXPECT_NE(pauseIcon, appIcon);
    EXPECT_FALSE(Grayed(shape.Menus().TrayMenu(), CommandStop));
    // Unknown states change nothing.
    shape.SetPlayerState(4);
    EXPECT_EQ(shape.TrayIconHandle(), pauseIcon);
    EXPECT_EQ(shape.PlayerState(), StatePaused);
}

TEST(TrayIconTest, TipIsCutTo63BytesAndEmptyTextGivesTheName)
{
    TTrayIcon tray("Kelvane");
    const std::string path = "C:\\" + std::string(62, 'a') + "\\x.wav"; // 71 bytes
    tray.Modify(nullptr, nullptr, path.c_str());
    EXPECT_EQ(std::string(tray.Tip()), path.substr(0, 63));
    tray.Modify(nullptr, nullptr, "");
    EXPECT_STREQ(tray.Tip(), "Kelvane");
    tray.Delete(nullptr);
    EXPECT_STREQ(tray.Tip(), "");
}

TEST(VersionWindowTest, TextShowsPaddedEraDateAndTime)
{
    EXPECT_STREQ(VersionText(), "Kelvane version 1.x\r\n作成日付\t平成12年 3月 8日\r\n作成時刻\t午前 2時21分 5秒");
    EXPECT_EQ(CurrentVersionInfo(), nullptr);
    {
        TVersionInfo info;
        EXPECT_EQ(CurrentVersionInfo(), &info);
    }
    EXPECT_EQ(CurrentVersionInfo(), nullptr);
}

// On a monitor left of and above the primary one the click's coordinates are negative.
TEST(MainShapeTest, ContextMenuOpensAtNegativeScreenCoordinates)
{
    TMainShape shape;
    shape.ShowModeless(0);
    HWND window = shape.Handle();
    RECT frame;
    GetWindowRect(window, &frame);
    MoveWindow(window, -700, -400, frame.right - frame.left, frame.bottom - frame.top, TRUE);
    RECT client;
    GetClientRect(window, &client);
    POINT inside{client.right - 4, client.bottom - 4};
    ClientToScreen(window, &inside);
    ASSERT_LT(inside.x, 0);
    ASSERT_LT(inside.y, 0);
    EXPECT_TRUE(ContextMenuOpensAt(window, inside));
    EXPECT_FALSE(ContextMenuOpensAt(window, POINT{-1, -1})) << "the keyboard's menu key";
    CloseShape(shape);
}
