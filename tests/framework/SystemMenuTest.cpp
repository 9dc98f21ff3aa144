// The extended system menu of a shape, its commands and the centre and at-mouse positions.
#include <gtest/gtest.h>

#include "foundation/MenuHelpers.h"
#include "framework/ShapeLoops.h"
#include "framework/ShapePosition.h"
#include "framework/SystemMenu.h"
#include "framework/TestElements.h"
#include "framework/Translucency.h"
#include "support/Seam.h"
#include "support/TwoMonitors.h"
#include "support/Wait.h"

namespace {

UINT State(HMENU menu, UINT id) { return GetMenuState(menu, id, MF_BYCOMMAND); }

RECT Desktop()
{
    RECT screen;
    GetWindowRect(GetDesktopWindow(), &screen);
    return screen;
}

// Wine moves the pointer through the display server: for a moment after SetCursorPos,
// GetCursorPos may still report the old place, even after it has once reported the new one.
void MoveCursor(int x, int y)
{
    ASSERT_TRUE(SetCursorPos(x, y));
    POINT cursor{};
    int steady = 0;
    ASSERT_TRUE(WaitUntil(
        [&] {
            GetCursorPos(&cursor);
            steady = cursor.x == x && cursor.y == y ? steady + 1 : 0;
            return steady == 5;
        },
        3000, "the pointer staying at its new place"))
        << "it is at " << cursor.x << "," << cursor.y;
}

bool Topmost(HWND window) { return (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

} // namespace

TEST(SystemMenuTest, AddedItemsSitAboveCloseInOrderWithIconsAndGrayPositions)
{
    TFixedElement element(200, 80);
    TShape shape(nullptr, "Menu", &element, nullptr);
    shape.ShowModeless(0);
    HMENU menu = GetSystemMenu(shape.Handle(), FALSE);
    ASSERT_NE(nullptr, menu);
    int close = MenuPositionOfCommand(menu, SC_CLOSE);
    ASSERT_GE(close, 4);
    const bool layered = LayeredAvailable();
    int at = close - 1;
    EXPECT_TRUE(GetMenuState(menu, at--, MF_BYPOSITION) & MF_SEPARATOR);
    if (layered) {
        EXPECT_EQ(TranslucencyCommand, GetMenuItemID(menu, at--));
    }
    EXPECT_EQ(AlwaysOnTopCommand, GetMenuItemID(menu, at--));
    HMENU positions = GetSubMenu(menu, at);
    ASSERT_NE(nullptr, positions);
    EXPECT_STREQ("表示位置(&P)", MenuItemText(menu, at).Text());
    ASSERT_EQ(3, GetMenuItemCount(positions));
    const UINT order[] = {CentreCommand, MousePositionCommand, KeepPositionCommand};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(order[i], GetMenuItemID(positions, i));
        EXPECT_TRUE(State(menu, order[i]) & MF_GRAYED);
    }
    EXPECT_STREQ("画面中央に表示(&C)", MenuItemText(positions, 0).Text());
    EXPECT_STREQ("次回もこの位置で表示(&S)", MenuItemText(positions, 2).Text());
    EXPECT_FALSE(State(menu, SC_CLOSE) & MF_GRAYED);

    // Every item is drawn by its item object, which carries the icon and the split text.
    ASSERT_TRUE(shape.Menus() && shape.Menus()->systemMenu);
    TOwnerDrawnMenu& drawn = *shape.Menus()->systemMenu;
    for (UINT id : {UINT(SC_MOVE), UINT(SC_CLOSE), AlwaysOnTopCommand, CentreCommand, KeepPositionCommand}) {
        TOwnerDrawnItem* item = drawn.ItemOfCommand(id);
        ASSERT_NE(nullptr, item) << id;
        EXPECT_NE(nullptr, item->Icon()) << id;
    }
    TOwnerDrawnItem* topmost = drawn.ItemOfCommand(AlwaysOnTopCommand);
    EXPECT_STREQ("常に手前に表示(&T)", topmost->Label().Text());
    EXPECT_STREQ("Alt+F5", topmost->Accelerator().Text());
    EXPECT_EQ(topmost, OwnerDrawnItemAt(menu, MenuPositionOfCommand(menu, AlwaysOnTopCommand)));
    TOwnerDrawnItem* popup = OwnerDrawnItemAt(menu, at);
    ASSERT_NE(nullptr, popup);
    ASSERT_NE(nullptr, popup->Submenu());
    EXPECT_NE(nullptr, popup->Icon());
    EXPECT_EQ(positions, popup->Submenu()->Menu());
    if (layered) {
        EXPECT_STREQ("Alt+F3", drawn.ItemOfCommand(TranslucencyCommand)->Accelerator().Text());
    }
    CloseShape(shape);
    EXPECT_FALSE(shape.Menus() && shape.Menus()->systemMenu);
}

TEST(SystemMenuTest, WithoutTheLayeredFunctionThereIsNoTranslucencyItem)
{
    TSeam layered([] { UseLayeredFunction(nullptr); }, ForgetLayeredFunction);
    TFixedElement element(100, 50);
    TShape shape(nullptr, "Old", &element, nullptr);
    shape.ShowModeless(0);
    HMENU menu = GetSystemMenu(shape.Handle(), FALSE);
    EXPECT_EQ(static_cast<UINT>(-1), State(menu, TranslucencyCommand));
    int close = MenuPositionOfCommand(menu, SC_CLOSE);
    EXPECT_EQ(AlwaysOnTopCommand, GetMenuItemID(menu, close - 2));
    EXPECT_EQ(nullptr, shape.Menus()->systemMenu->ItemOfCommand(TranslucencyCommand));
    // The command itself does nothing either.
    SendMessageA(shape.Handle(), WM_SYSCOMMAND, TranslucencyCommand, 0);
    EXPECT_FALSE(GetWindowLongPtrA(shape.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    CloseShape(shape);
}

TEST(SystemMenuTest, ShapeThatCannotCloseGraysCloseAndRefusesIt)
{
    TFixedElement element(100, 50);
    TShape shape(nullptr, "Stay", &element, nullptr);
    shape.SetClosable(false);
    shape.ShowModeless(0);
    HMENU menu = GetSystemMenu(shape.Handle(), FALSE);
    EXPECT_TRUE(State(menu, SC_CLOSE) & MF_GRAYED);
    EXPECT_EQ(-1, SendMessageA(shape.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0));
    PumpPending(); // whatever the refusal posted
    EXPECT_TRUE(IsWindow(shape.Handle()));
    CloseShape(shape);

    TShape closable(nullptr, "Go", &element, nullptr);
    closable.ShowModeless(0);
    HWND window = closable.Handle();
    SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(WaitUntil([window] { return !IsWindow(window); }, 2000, "the shape closing", &PumpPending));
    CloseShape(closable);
}

TEST(SystemMenuTest, AlwaysOnTopTogglesTheTopmostStyle)
{
    TFixedElement element(100, 50);
    TShape shape(nullptr, "Top", &element, nullptr);
    shape.ShowModeless(0);
    EXPECT_FALSE(Topmost(shape.Handle()));
    EXPECT_EQ(0, SendMessageA(shape.Handle(), WM_SYSCOMMAND, AlwaysOnTopCommand, 0));
    EXPECT_TRUE(Topmost(shape.Handle()));
    // Opening the system menu refreshes the check mark from the style.
    HMENU menu = GetSystemMenu(shape.Handle(), FALSE);
    SendMessageA(shape.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(0, 1));
    EXPECT_TRUE(State(menu, AlwaysOnTopCommand) & MF_CHECKED);
    EXPECT_EQ(0, SendMessageA(shape.Handle(), WM_SYSCOMMAND, AlwaysOnTopCommand, 0));
    EXPECT_FALSE(Topmost(shape.Handle()));
    CloseShape(shape);
}

TEST(SystemMenuTest, AtMouseKeeps32PixelsInsideAndCentresWhatDoesNotFit)
{
    RECT screen = Desktop();
    const RECT small{0, 0, 200, 100};
    MoveCursor(screen.right - 5, screen.bottom - 5);
    RECT placed = RectAtMouse(small);
    // Near the bottom-right corner: 32 pixels inside, size kept.
    EXPECT_EQ(screen.right - 200 - 32, placed.left);
    EXPECT_EQ(screen.bottom - 100 - 32, placed.top);
    EXPECT_EQ(200, placed.right - placed.left);
    MoveCursor(screen.left + 3, screen.top + 3);
    placed = RectAtMouse(small);
    EXPECT_EQ(screen.left + 32, placed.left);
    EXPECT_EQ(screen.top + 32, placed.top);
    MoveCursor(screen.right / 2 + 10, screen.bottom / 2 - 20);
    placed = RectAtMouse(small);
    EXPECT_EQ(screen.right / 2 + 10 - 100, placed.left);
    EXPECT_EQ(screen.bottom / 2 - 20 - 50, placed.top);

    // Wider than the screen less both margins: centred, the offset truncated toward zero.
    const int wide = screen.right - screen.left + 75;
    placed = RectAtMouse(RECT{0, 0, wide, 100});
    EXPECT_EQ(-75 / 2, placed.left);
    EXPECT_EQ(-37, placed.left);
    placed = RectAtMouse(RECT{0, 0, screen.right - screen.left - 64, 100});
    EXPECT_EQ(32, placed.left);
    RECT centred = CentredRect(RECT{10, 10, 10 + wide, 110});
    EXPECT_EQ(-37, centred.left);
    EXPECT_EQ((screen.bottom - screen.top - 100) / 2, centred.top);
}

TEST(SystemMenuTest, CentreAndAtMouseMoveTheShapeAndMarkThePositionMode)
{
    TFixedElement element(150, 60);
    TShape shape(nullptr, "Where", &element, nullptr);
    shape.ShowModeless(0);
    HMENU menu = GetSystemMenu(shape.Handle(), FALSE);
    RECT before, after;
    GetWindowRect(shape.Handle(), &before);
    EXPECT_EQ(0, SendMessageA(shape.Handle(), WM_SYSCOMMAND, CentreCommand, 0));
    GetWindowRect(shape.Handle(), &after);
    RECT expected = CentredRect(before);
    EXPECT_EQ(expected.left, after.left);
    EXPECT_EQ(expected.top, after.top);
    EXPECT_TRUE(State(menu, CentreCommand) & MF_CHECKED);

    RECT screen = Desktop();
    MoveCursor(screen.right - 1, screen.top + 1);
    SendMessageA(shape.Handle(), WM_SYSCOMMAND, MousePositionCommand, 0);
    GetWindowRect(shape.Handle(), &after);
    EXPECT_EQ(screen.right - (before.right - before.left) - 32, after.left);
    EXPECT_EQ(screen.top + 32, after.top);
    EXPECT_FALSE(State(menu, CentreCommand) & MF_CHECKED);
    EXPECT_TRUE(State(menu, MousePositionCommand) & MF_CHECKED);

    SendMessageA(shape.Handle(), WM_SYSCOMMAND, KeepPositionCommand, 0);
    EXPECT_FALSE(State(menu, MousePositionCommand) & MF_CHECKED);
    EXPECT_TRUE(State(menu, KeepPositionCommand) & MF_CHECKED);
    CloseShape(shape);
}

// The screen cut in two monitors: centring keeps the shape on its own monitor, and at the mouse
// it stays 32 pixels inside the monitor under the cursor.
TEST(SystemMenuTest, CentreAndAtMouseStayOnTheirMonitor)
{
    TTwoMonitors monitors(TTwoMonitors::SplitScreen);
    const RECT right = monitors.Second().monitor;
    TFixedElement element(150, 60);
    TShape shape(nullptr, "Where", &element, nullptr);
    shape.ShowModeless(0);
    RECT frame;
    GetWindowRect(shape.Handle(), &frame);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    MoveWindow(shape.Handle(), right.right - width - 3, right.top + 3, width, height, TRUE);
    SendMessageA(shape.Handle(), WM_SYSCOMMAND, CentreCommand, 0);
    GetWindowRect(shape.Handle(), &frame);
    EXPECT_EQ(right.left + (right.right - right.left - width) / 2, frame.left);
    EXPECT_EQ(right.top + (right.bottom - right.top - height) / 2, frame.top);

    MoveCursor(right.left + 8, right.top + 200);
    SendMessageA(shape.Handle(), WM_SYSCOMMAND, MousePositionCommand, 0);
    GetWindowRect(shape.Handle(), &frame);
    EXPECT_EQ(right.left + 32, frame.left);
    EXPECT_EQ(right.top + 200 - height / 2, frame.top);
    CloseShape(shape);
}
