// Modal and modeless shapes: result codes, focus, owner enabling, closing and vanished windows.
#include <gtest/gtest.h>

#include "framework/ShapeLoops.h"
#include "framework/TestElements.h"
#include "support/OwnerWindow.h"
#include "support/Wait.h"

namespace {

const UINT endMessage = WM_APP + 1;
const UINT checkMessage = WM_APP + 2;

// Ends itself from a posted message once it is set up; refuses the first close if asked to.
class TSelfEndingShape : public TShape {
public:
    TSelfEndingShape(HWND owner, int code) : TShape(owner, "Ending"), code(code) {}
    void OnSetupDone() override { PostMessageA(Handle(), endMessage, 0, 0); }
    bool CanClose() override { return allowClose; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == endMessage) {
            ownerEnabledWhileOpen = IsWindowEnabled(owner) != FALSE;
            if (!allowClose) {
                PostMessageA(Handle(), WM_CLOSE, 0, 0);
                PostMessageA(Handle(), checkMessage, 0, 0);
                return 0;
            }
            EndShape(code);
            return 0;
        }
        if (message == checkMessage) {
            ownerEnabledAfterRefusal = IsWindowEnabled(owner) != FALSE;
            allowClose = true;
            EndShape(code);
            return 0;
        }
        return TShape::WindowProc(message, wParam, lParam);
    }
    int code;
    bool allowClose = true;
    bool ownerEnabledWhileOpen = true;
    bool ownerEnabledAfterRefusal = true;
};

} // namespace

TEST(ShapeLoopsTest, ModalShapeReturnsItsCodeAndGivesFocusAndOwnerBack)
{
    TOwnerWindow owner;
    SetForegroundWindow(owner.window);
    SetFocus(owner.edit);
    ASSERT_EQ(owner.edit, GetFocus());

    TFixedElement element(50, 20);
    TSelfEndingShape shape(owner.window, 42);
    shape.RootGroup().Append(&element);
    EXPECT_EQ(42, shape.ShowModal());
    EXPECT_FALSE(shape.ownerEnabledWhileOpen);
    EXPECT_TRUE(IsWindowEnabled(owner.window));
    EXPECT_EQ(owner.edit, GetFocus());
    EXPECT_EQ(nullptr, shape.Handle());
    EXPECT_EQ(42, element.endedWith);
}

TEST(ShapeLoopsTest, ModalShapeOverADisabledOwnerLeavesItDisabled)
{
    TOwnerWindow owner;
    EnableWindow(owner.window, FALSE);
    TSelfEndingShape shape(owner.window, 3);
    EXPECT_EQ(3, shape.ShowModal());
    EXPECT_FALSE(IsWindowEnabled(owner.window));
}

TEST(ShapeLoopsTest, RefusedCloseKeepsTheWindowAndTheOwnerDisabled)
{
    TOwnerWindow owner;
    TSelfEndingShape shape(owner.window, 8);
    shape.allowClose = false;
    EXPECT_EQ(8, shape.ShowModal());
    EXPECT_FALSE(shape.ownerEnabledAfterRefusal);
    EXPECT_TRUE(IsWindowEnabled(owner.window));
}

TEST(ShapeLoopsTest, ModelessCloseTellsTheOwnerWithTheResultInTheHighWord)
{
    TOwnerWindow owner;
    TShape shape(owner.window, "Modeless");
    shape.ShowModeless(77);
    HWND window = shape.Handle();
    ASSERT_TRUE(IsWindow(window));
    int before = ModelessShapeCount();
    shape.EndShape(3);

    ASSERT_TRUE(WaitUntil([&] { return !owner.commands.empty(); }, 2000, "the owner's notice", &PumpPending));
    EXPECT_EQ(static_cast<WPARAM>((3 << 16) | 77), owner.commands[0].wParam);
    EXPECT_EQ(reinterpret_cast<LPARAM>(window), owner.commands[0].lParam);
    EXPECT_FALSE(IsWindow(window));
    CloseShape(shape);
    EXPECT_EQ(before - 1, ModelessShapeCount());
}

TEST(ShapeLoopsTest, ModelessShapeWhoseWindowVanishedIsTornDownByTheNextMessage)
{
    TFixedElement element(40, 20);
    TShape shape(nullptr, "Vanishing", &element, nullptr);
    shape.SetResultCode(6);
    shape.ShowModeless(0);
    int before = ModelessShapeCount();
    ASSERT_GE(before, 1);
    DestroyWindow(shape.Handle());
    EXPECT_EQ(0, element.endCount);

    PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
    PumpPending();
    EXPECT_EQ(before - 1, ModelessShapeCount());
    EXPECT_EQ(nullptr, shape.Handle());
    EXPECT_EQ(1, element.endCount);
    EXPECT_EQ(6, element.endedWith);
}

TEST(ShapeLoopsTest, DestroyAllShapesTellsVisibleListenersTheyAreHidden)
{
    TFixedElement element(40, 20);
    TShownRecorder listener;
    TShape shape(nullptr, "Forced", &element, nullptr);
    shape.ShowModeless(0);
    shape.AddShowHideListener(&listener);
    ASSERT_TRUE(IsWindowVisible(shape.Handle()));
    HWND window = shape.Handle();
    DestroyAllShapes();
    EXPECT_EQ(0, ModelessShapeCount());
    EXPECT_EQ(0, listener.lastShown);
    EXPECT_EQ(1, element.endCount);
    DestroyWindow(window);
}
