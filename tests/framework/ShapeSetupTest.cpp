// Shape setup: client size, status bar ids, the F1 binding, first position and the property.
#include <gtest/gtest.h>

#include "foundation/ScreenScale.h"
#include "framework/ShapeLoops.h"
#include "framework/TestElements.h"
#include "support/Seam.h"
#include "support/TwoMonitors.h"
#include "support/Wait.h"

namespace {

SIZE ClientSize(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    return SIZE{client.right, client.bottom};
}

} // namespace

TEST(ShapeSetupTest, ClientAreaFitsTheElementsAndMargins)
{
    TFixedElement element(150, 60);
    TShape shape(nullptr, "Fit", &element, nullptr);
    shape.ShowModeless(0);
    SIZE client = ClientSize(shape.Handle());
    EXPECT_EQ(150 + 24, client.cx);
    EXPECT_EQ(60 + 24, client.cy);
    EXPECT_EQ(12, element.placedAt.x);
    EXPECT_EQ(12, element.placedAt.y);
    EXPECT_TRUE(IsWindowVisible(shape.Handle()));
    CloseShape(shape);
}

// At 192 DPI every length of the layout doubles: the margins, the root group's spacing and the
// snapping distance. (The elements' own sizes are in pixels here.)
TEST(ShapeSetupTest, LayoutLengthsFollowTheDpi)
{
    TSeam dpi(ReplaceScreenDpi, 192);
    TFixedElement left(150, 60, DockLeft), right(40, 20, DockLeft);
    TShape shape(nullptr, "Fit", &left, &right, nullptr);
    shape.ShowModeless(0);
    SIZE client = ClientSize(shape.Handle());
    EXPECT_EQ(150 + 24 + 40 + 2 * 24, client.cx);
    EXPECT_EQ(60 + 2 * 24, client.cy);
    EXPECT_EQ(24, left.placedAt.x);
    EXPECT_EQ(24 + 150 + 24, right.placedAt.x);

    RECT frame;
    GetWindowRect(shape.Handle(), &frame);
    const RECT area{frame.left - 500, frame.top - 300, frame.right + 500, frame.bottom + 300};
    TSnapTracker& snap = shape.SnapTracker();
    for (int away : {14, 15}) {
        snap.BeginTracking(area, {});
        RECT proposed = frame;
        OffsetRect(&proposed, area.left + away - frame.left, 0);
        snap.Track(0, proposed);
        EXPECT_EQ(away == 14 ? area.left : area.left + away, proposed.left) << away << " pixels from the edge";
    }
    CloseShape(shape);
}

TEST(ShapeSetupTest, AutomaticStatusBarIdIs5001InEverySetup)
{
    TControlElement edit("EDIT", WS_TABSTOP, 100, 20);
    TShape shape(nullptr, "Status", &edit, nullptr);
    shape.SetStatusBarId(-1);
    for (int run = 0; run < 2; ++run) {
        shape.ShowModeless(0);
        ASSERT_NE(nullptr, shape.StatusBar());
        EXPECT_EQ(5001, GetDlgCtrlID(shape.StatusBar()));
        EXPECT_EQ(5002, GetDlgCtrlID(edit.window));
        RECT bar;
        GetWindowRect(shape.StatusBar(), &bar);
        EXPECT_EQ(20 + 24 + (bar.bottom - bar.top), ClientSize(shape.Handle()).cy);
        CloseShape(shape);
    }
}

TEST(ShapeSetupTest, ControlsWithoutStatusBarStartAt5001AndHelpButtonGetsF1)
{
    TControlElement edit("EDIT", WS_TABSTOP, 100, 20);
    TControlElement help("Button", BS_PUSHBUTTON | WS_TABSTOP, 80, 24, 9, "Help");
    TShape shape(nullptr, "Help", &edit, &help, nullptr);
    shape.ShowModeless(0);
    EXPECT_EQ(5001, GetDlgCtrlID(edit.window));
    ASSERT_EQ(1, shape.Keys().Count());
    EXPECT_EQ(FVIRTKEY, shape.Keys().Binding(0).flags);
    EXPECT_EQ(VK_F1, shape.Keys().Binding(0).key);
    EXPECT_EQ(9, shape.Keys().Binding(0).command);
    EXPECT_EQ(&shape, ShapeOfWindow(edit.window));
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(edit.window, WM_GETFONT, 0, 0));
    EXPECT_EQ(GetStockObject(DEFAULT_GUI_FONT), font);
    CloseShape(shape);
    EXPECT_EQ(0, shape.Keys().Count());
}

TEST(ShapeSetupTest, ShapeWithVisibleOwnerOpensCentredOnTheScreen)
{
    HWND owner = CreateWindowExA(0, "STATIC", "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100,
                                 nullptr, nullptr, nullptr, nullptr);
    TFixedElement element(200, 100);
    TShape shape(owner, "Centred", &element, nullptr);
    shape.ShowModeless(0);
    // The whole screen, taskbar included.
    RECT work, window;
    GetWindowRect(GetDesktopWindow(), &work);
    GetWindowRect(shape.Handle(), &window);
    EXPECT_NEAR((work.left + work.right) / 2, (window.left + window.right) / 2, 1);
    EXPECT_NEAR((work.top + work.bottom) / 2, (window.top + window.bottom) / 2, 1);
    CloseShape(shape);
    DestroyWindow(owner);
}

// The owner stands on a monitor left of and above the primary one: the shape opens centred there.
TEST(ShapeSetupTest, ShapeWithVisibleOwnerOpensCentredOnTheOwnersMonitor)
{
    TTwoMonitors monitors(TTwoMonitors::LeftAndAbove);
    const RECT left = monitors.First().monitor;
    HWND owner = CreateWindowExA(0, "STATIC", "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, left.left + 40,
                                 left.top + 30, 100, 100, nullptr, nullptr, nullptr, nullptr);
    TFixedElement element(200, 100);
    TShape shape(owner, "Centred", &element, nullptr);
    shape.ShowModeless(0);
    RECT window;
    GetWindowRect(shape.Handle(), &window);
    EXPECT_NEAR((left.left + left.right) / 2, (window.left + window.right) / 2, 1);
    EXPECT_NEAR((left.top + left.bottom) / 2, (window.top + window.bottom) / 2, 1);
    CloseShape(shape);
    DestroyWindow(owner);
}

TEST(ShapeSetupTest, EscapeCommandAsksTheSystemToClose)
{
    TShape shape(nullptr, "Escape");
    shape.ShowModeless(0);
    HWND window = shape.Handle();
    SendMessageA(window, WM_COMMAND, IDCANCEL, 0);
    MSG posted;
    ASSERT_TRUE(PeekMessageA(&posted, window, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_NOREMOVE));
    EXPECT_EQ(static_cast<WPARAM>(SC_CLOSE), posted.wParam);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window); }, 2000, "the shape closing", &PumpPending));
    CloseShape(shape);
}
