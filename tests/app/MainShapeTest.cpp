// The main shape: the display-state table, the tray tip and the retried tray icon, the
// version text and the context menu.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/Commands.h"
#include "app/MainShape.h"
#include "app/VersionWindow.h"
#include "framework/TestElements.h"
#include "support/OwnerWindow.h"
#include "support/Seam.h"
#include "support/Wait.h"

namespace {

bool Grayed(HMENU menu, UINT command)
{
    return (GetMenuState(menu, command, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) != 0;
}

// The shell as a busy one answers: the next `refusals` adds and changes fail, then every call
// goes to the real notification area. Each call is kept with its tip.
struct TShellCall {
    DWORD message;
    std::string tip;
    BOOL result;
};
int refusals = 0;
std::vector<TShellCall> shellCalls;

BOOL WINAPI BusyShell(DWORD message, PNOTIFYICONDATAA data)
{
    const bool refused = message != NIM_DELETE && refusals > 0;
    if (refused) --refusals;
    const BOOL result = refused ? FALSE : Shell_NotifyIconA(message, data);
    shellCalls.push_back({message, data->szTip, result});
    return result;
}

// The tray icon under test, and the window whose timer messages go to it, as the main shape routes them.
TTrayIcon* routedTray = nullptr;
HWND routedWindow = nullptr;

void PumpToTray()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.hwnd == routedWindow && routedTray->OnMessage(message.hwnd, message.message, message.wParam))
            continue;
        DispatchMessageA(&message);
    }
}

bool AddedWithTip(const char* tip)
{
    for (const TShellCall& call : shellCalls)
        if (call.message == NIM_ADD && call.result && call.tip == tip) return true;
    return false;
}

// A timer is pending when there is one to kill.
bool RetryPending(HWND window) { return KillTimer(window, TTrayIcon::RetryTimerId) != FALSE; }

class TrayRetryTest : public ::testing::Test {
protected:
    TrayRetryTest() : shell(ReplaceNotifyIcon, BusyShell), owner(false)
    {
        refusals = 0;
        shellCalls.clear();
        routedTray = &tray;
        routedWindow = owner.window;
    }
    ~TrayRetryTest() override
    {
        tray.Delete(owner.window);
        routedTray = nullptr;
    }

    TSeam shell;
    TOwnerWindow owner;
    TTrayIcon tray{"Kelvane"};
    HICON icon = LoadIconA(nullptr, IDI_APPLICATION);
};

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

// At logon the shell may refuse the add; the player keeps changing the tip meanwhile, and the
// add tried again a second later shows the icon as it is by then.
TEST_F(TrayRetryTest, RefusedAddIsTriedAgainWithTheTipOfNow)
{
    refusals = 2;
    EXPECT_FALSE(tray.Add(owner.window, icon));
    EXPECT_FALSE(tray.Modify(owner.window, icon, "C:\\Music\\a.wav"));
    EXPECT_TRUE(WaitUntil([] { return AddedWithTip("C:\\Music\\a.wav"); }, 5000, "the icon added by the retry",
                          &PumpToTray));
    EXPECT_FALSE(RetryPending(owner.window)) << "no retry after the icon is there";
}

// A few retries and then no more; a new taskbar starts them again, and after the delete
// nothing brings the icon back.
TEST_F(TrayRetryTest, RetriesEndAfterAFewAndTheDeleteStopsThem)
{
    refusals = 1000;
    tray.Add(owner.window, icon);
    for (int retry = 1; retry <= TTrayIcon::MostRetries; ++retry) {
        ASSERT_TRUE(RetryPending(owner.window)) << "before retry " << retry;
        EXPECT_TRUE(tray.OnMessage(owner.window, WM_TIMER, TTrayIcon::RetryTimerId));
    }
    EXPECT_FALSE(RetryPending(owner.window));
    EXPECT_TRUE(tray.OnMessage(owner.window, TTrayIcon::TaskbarCreatedMessage(), 0));
    EXPECT_TRUE(RetryPending(owner.window));

    EXPECT_TRUE(tray.OnMessage(owner.window, TTrayIcon::TaskbarCreatedMessage(), 0));
    tray.Delete(owner.window);
    EXPECT_FALSE(RetryPending(owner.window));
    const size_t calls = shellCalls.size();
    EXPECT_TRUE(tray.OnMessage(owner.window, TTrayIcon::TaskbarCreatedMessage(), 0));
    EXPECT_EQ(shellCalls.size(), calls) << "no icon wanted after the delete";
    EXPECT_FALSE(tray.OnMessage(owner.window, WM_TIMER, TTrayIcon::RetryTimerId + 1));
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
