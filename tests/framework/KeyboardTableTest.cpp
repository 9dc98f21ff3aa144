// The keyboard table of a shape: modifiers that must all match, and Return in edit fields.
#include <gtest/gtest.h>

#include "framework/ShapeLoops.h"
#include "framework/TestElements.h"
#include "support/HeldKeys.h"

namespace {

MSG KeyDown(HWND window, WPARAM key, UINT message = WM_KEYDOWN)
{
    MSG result{};
    result.hwnd = window;
    result.message = message;
    result.wParam = key;
    return result;
}

// The WM_COMMAND the table posted to the shape, if any (removed from the queue).
bool TakeCommand(HWND shape, MSG& command)
{
    return PeekMessageA(&command, shape, WM_COMMAND, WM_COMMAND, PM_REMOVE) != FALSE;
}

class KeyboardTableTest : public ::testing::Test {
protected:
    void TearDown() override { CloseShape(shape); }
    THeldKeys keys; // the modifiers GetKeyState reports on this thread
    TShape shape{nullptr, "Keys"};
};

} // namespace

TEST_F(KeyboardTableTest, AllThreeModifiersMustMatch)
{
    shape.ShowModeless(0);
    HWND window = shape.Handle();
    shape.Keys().Append(FVIRTKEY | FCONTROL, 'K', 300);
    shape.Keys().Append(FVIRTKEY | FCONTROL | FSHIFT, 'K', 301);
    MSG command;

    keys.Hold({VK_CONTROL});
    EXPECT_TRUE(shape.Keys().Translate(window, KeyDown(window, 'K')));
    ASSERT_TRUE(TakeCommand(window, command));
    EXPECT_EQ(static_cast<WPARAM>(0x10000 + 300), command.wParam);
    EXPECT_EQ(0, command.lParam);

    keys.Hold({VK_CONTROL, VK_SHIFT});
    EXPECT_TRUE(shape.Keys().Translate(window, KeyDown(window, 'K')));
    ASSERT_TRUE(TakeCommand(window, command));
    EXPECT_EQ(static_cast<WPARAM>(0x10000 + 301), command.wParam);

    keys.Hold({VK_CONTROL, VK_MENU});
    EXPECT_FALSE(shape.Keys().Translate(window, KeyDown(window, 'K')));
    keys.Hold({});
    EXPECT_FALSE(shape.Keys().Translate(window, KeyDown(window, 'K')));
    EXPECT_FALSE(shape.Keys().Translate(window, KeyDown(window, 'K', WM_KEYUP)));
    EXPECT_FALSE(TakeCommand(window, command));
}

TEST_F(KeyboardTableTest, OnlyCtrlBindingDoesNotFireWithCtrlShift)
{
    shape.ShowModeless(0);
    shape.Keys().Append(FVIRTKEY | FCONTROL, 'S', 310);
    keys.Hold({VK_CONTROL, VK_SHIFT});
    MSG command;
    EXPECT_FALSE(shape.Keys().Translate(shape.Handle(), KeyDown(shape.Handle(), 'S')));
    EXPECT_FALSE(TakeCommand(shape.Handle(), command));
}

TEST_F(KeyboardTableTest, ReturnPressesTheDefaultButtonUnlessAWritableEditWantsIt)
{
    TControlElement multiLine("EDIT", ES_MULTILINE | ES_WANTRETURN | WS_TABSTOP, 120, 40);
    TControlElement singleLine("EDIT", WS_TABSTOP, 120, 20);
    TControlElement readOnly("EDIT", ES_MULTILINE | ES_WANTRETURN | ES_READONLY | WS_TABSTOP, 120, 40);
    TControlElement okButton("Button", BS_DEFPUSHBUTTON | WS_TABSTOP, 80, 24, IDOK, "OK");
    shape.RootGroup().AppendList(std::vector<TElement*>{&multiLine, &singleLine, &readOnly, &okButton, nullptr}.data());
    shape.ShowModeless(0);
    HWND window = shape.Handle();
    SetForegroundWindow(window);
    keys.Hold({});
    MSG command;

    SetFocus(multiLine.window);
    ASSERT_EQ(multiLine.window, GetFocus());
    EXPECT_FALSE(shape.Keys().Translate(window, KeyDown(multiLine.window, VK_RETURN)));
    EXPECT_FALSE(TakeCommand(window, command));

    for (HWND edit : {singleLine.window, readOnly.window}) {
        SetFocus(edit);
        EXPECT_TRUE(shape.Keys().Translate(window, KeyDown(edit, VK_RETURN)));
        ASSERT_TRUE(TakeCommand(window, command));
        EXPECT_EQ(static_cast<WPARAM>(0x10000 + IDOK), command.wParam);
        EXPECT_EQ(reinterpret_cast<LPARAM>(okButton.window), command.lParam);
    }

    // With Ctrl down, Return is left alone even outside an edit field.
    keys.Hold({VK_CONTROL});
    SetFocus(singleLine.window);
    EXPECT_FALSE(shape.Keys().Translate(window, KeyDown(singleLine.window, VK_RETURN)));
    CloseShape(shape); // its teardown tells these elements, which die before the fixture's TearDown
}

TEST_F(KeyboardTableTest, AltF5NeedsTheAlwaysOnTopItem)
{
    shape.ShowModeless(0);
    HWND window = shape.Handle();
    SetForegroundWindow(window);
    ASSERT_EQ(window, GetActiveWindow());
    MSG posted;
    HMENU menu = GetSystemMenu(window, FALSE);
    ASSERT_NE(nullptr, menu);
    // Every shape's menu has the item: take it out to see the key do nothing without it.
    DeleteMenu(menu, AlwaysOnTopCommand, MF_BYCOMMAND);
    EXPECT_FALSE(shape.Keys().Translate(window, KeyDown(window, VK_F5, WM_SYSKEYDOWN)));

    AppendMenuA(menu, MF_STRING, AlwaysOnTopCommand, "top");
    EXPECT_TRUE(shape.Keys().Translate(window, KeyDown(window, VK_F5, WM_SYSKEYDOWN)));
    ASSERT_TRUE(PeekMessageA(&posted, window, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE));
    EXPECT_EQ(static_cast<WPARAM>(AlwaysOnTopCommand), posted.wParam);
    EXPECT_FALSE(shape.Keys().Translate(window, KeyDown(window, VK_F5, WM_KEYDOWN)));

    EnableMenuItem(menu, AlwaysOnTopCommand, MF_BYCOMMAND | MF_GRAYED);
    EXPECT_FALSE(shape.Keys().Translate(window, KeyDown(window, VK_F5, WM_SYSKEYDOWN)));
}
