// Edge snapping: the nearest-edge arithmetic on given targets, a shape's own tracker, a real drag.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "framework/Placement.h"
#include "framework/ShapeLoops.h"
#include "framework/SnapTracker.h"
#include "framework/TestElements.h"
#include "framework/WorkArea.h"
#include "support/HeldKeys.h"
#include "support/RegistryTestKey.h"
#include "support/TwoMonitors.h"
#include "support/UnixCommand.h"
#include "support/Wait.h"

namespace {

const RECT workArea{0, 0, 1000, 700};
const RECT startRect{300, 300, 500, 400}; // 200 x 100

// A hidden pop-up window standing where the tracked window begins.
class TTrackedWindow {
public:
    explicit TTrackedWindow(const RECT& frame = startRect)
        : window(CreateWindowExA(0, "STATIC", "", WS_POPUP, frame.left, frame.top, frame.right - frame.left,
                                 frame.bottom - frame.top, nullptr, nullptr, nullptr, nullptr))
    {
        tracker.Bind(window);
    }
    ~TTrackedWindow() { DestroyWindow(window); }

    // One WM_MOVING step: the system proposes the last rectangle moved by the mouse's step.
    RECT Step(int dx, int dy)
    {
        RECT proposed = last;
        OffsetRect(&proposed, dx, dy);
        tracker.Track(0, proposed);
        last = proposed;
        return proposed;
    }
    void Begin(std::initializer_list<RECT> targets)
    {
        tracker.BeginTracking(workArea, std::vector<RECT>(targets));
        GetWindowRect(window, &last);
    }

    HWND window; // owned
    TSnapTracker tracker;
    RECT last{};
};

void ExpectRect(const RECT& expected, const RECT& actual)
{
    EXPECT_EQ(expected.left, actual.left);
    EXPECT_EQ(expected.top, actual.top);
    EXPECT_EQ(expected.right, actual.right);
    EXPECT_EQ(expected.bottom, actual.bottom);
}

} // namespace

TEST(SnapTrackerTest, SevenPixelsSnapsEightDoesNot)
{
    TTrackedWindow moved;
    moved.Begin({});
    ExpectRect(RECT{0, 300, 200, 400}, moved.Step(7 - 300, 0));
    moved.Begin({});
    ExpectRect(RECT{8, 300, 208, 400}, moved.Step(8 - 300, 0));
    moved.Begin({});
    ExpectRect(RECT{800, 600, 1000, 700}, moved.Step(1000 - 7 - 500, 700 + 7 - 400));
}

TEST(SnapTrackerTest, EqualDistancesTakeTheRightEdgeTheTopEdgeAndTheEarlierTarget)
{
    TTrackedWindow moved;
    // Marks 5 pixels outside the left and right edges once the window has moved 100 right.
    moved.Begin({RECT{380, 200, 395, 210}, RECT{605, 200, 620, 210}});
    ExpectRect(RECT{405, 300, 605, 400}, moved.Step(100, 0));
    // The left mark 3 away beats the right one 5 away.
    moved.Begin({RECT{380, 200, 397, 210}, RECT{605, 200, 620, 210}});
    ExpectRect(RECT{397, 300, 597, 400}, moved.Step(100, 0));
    // Marks 5 pixels above and below once the window has moved 100 down.
    moved.Begin({RECT{700, 380, 710, 395}, RECT{700, 505, 710, 520}});
    ExpectRect(RECT{300, 395, 500, 495}, moved.Step(0, 100));
    // Two targets equally near one edge: the earlier one is kept.
    moved.Begin({RECT{380, 200, 396, 210}, RECT{404, 200, 420, 210}});
    EXPECT_EQ(396, moved.Step(100, 0).left);
    moved.Begin({RECT{404, 200, 420, 210}, RECT{380, 200, 396, 210}});
    EXPECT_EQ(404, moved.Step(100, 0).left);
}

TEST(SnapTrackerTest, ShiftMovesFreelyAndReleasingItSnapsFromTheMousePosition)
{
    TTrackedWindow moved;
    moved.Begin({});
    {
        THeldKeys shift({VK_SHIFT});
        EXPECT_EQ(4, moved.Step(-296, 0).left);
    }
    EXPECT_EQ(0, moved.Step(1, 0).left);   // the mouse is at 5 now: snapped
    EXPECT_EQ(15, moved.Step(10, 0).left); // at 15: free of the edge, where the mouse says
    {
        THeldKeys rightButton({VK_RBUTTON});
        EXPECT_EQ(3, moved.Step(-12, 0).left); // the mouse is at 3, unsnapped
    }
}

TEST(SnapTrackerTest, OwnStartIsATargetSoSmallDragsStay)
{
    TTrackedWindow moved;
    moved.Begin({startRect});
    ExpectRect(startRect, moved.Step(5, -4));
    ExpectRect(startRect, moved.Step(2, -3));
    ExpectRect(RECT{310, 290, 510, 390}, moved.Step(3, -3));
}

TEST(SnapTrackerTest, EscapePutsTheWindowBackAndReportsNoMove)
{
    TTrackedWindow moved;
    moved.Begin({});
    RECT step = moved.Step(40, 30);
    MoveWindow(moved.window, step.left, step.top, 200, 100, FALSE);
    {
        THeldKeys escape({VK_ESCAPE});
        EXPECT_FALSE(moved.tracker.EndTracking());
    }
    RECT frame;
    GetWindowRect(moved.window, &frame);
    ExpectRect(startRect, frame);

    moved.Begin({});
    step = moved.Step(40, 30);
    MoveWindow(moved.window, step.left, step.top, 200, 100, FALSE);
    EXPECT_TRUE(moved.tracker.EndTracking());
    // The next drag starts from where this one ended, not from the first start.
    moved.Begin({});
    ExpectRect(RECT{350, 340, 550, 440}, moved.Step(10, 10));
}

TEST(SnapTrackerTest, TaskbarEdgeIsTheWorkAreaEdge)
{
    const RECT screen{0, 0, 1024, 768};
    ExpectRect(RECT{0, 0, 1024, 738}, WorkAreaLessTaskbar(screen, RECT{-2, 738, 1026, 770}));
    ExpectRect(RECT{0, 30, 1024, 768}, WorkAreaLessTaskbar(screen, RECT{-2, -2, 1026, 30}));
    ExpectRect(RECT{60, 0, 1024, 768}, WorkAreaLessTaskbar(screen, RECT{-2, -2, 60, 770}));
    ExpectRect(RECT{0, 0, 964, 768}, WorkAreaLessTaskbar(screen, RECT{964, -2, 1026, 770}));

    TTrackedWindow moved;
    moved.tracker.BeginTracking(WorkAreaLessTaskbar(screen, RECT{-2, 738, 1026, 770}), {});
    GetWindowRect(moved.window, &moved.last);
    EXPECT_EQ(738, moved.Step(0, 738 - 5 - 400).bottom);
}

// A drag from the primary monitor onto one left of and above it snaps to the edges of the
// monitor the window is on at each step, at negative coordinates.
TEST(SnapTrackerTest, SnapsToTheEdgesOfTheMonitorTheWindowIsOn)
{
    TTwoMonitors monitors(TTwoMonitors::LeftAndAbove);
    const RECT left = monitors.First().work, primary = monitors.Second().work;
    TTrackedWindow moved;
    moved.tracker.BeginTracking();
    GetWindowRect(moved.window, &moved.last);
    EXPECT_EQ(primary.bottom, moved.Step(0, primary.bottom - 6 - startRect.bottom).bottom);
    EXPECT_EQ(left.left, moved.Step(left.left + 5 - moved.last.left, 0).left);
    EXPECT_EQ(left.top, moved.Step(0, left.top + 4 - moved.last.top).top);
    EXPECT_EQ(left.left + 25, moved.Step(20, 0).left); // the mouse is 25 pixels in: free again
}

TEST(SnapTrackerTest, SizingSnapsOnlyWhenAsked)
{
    TTrackedWindow sized;
    sized.Begin({});
    RECT proposed{300, 300, 995, 400};
    sized.tracker.Track(WMSZ_RIGHT, proposed);
    EXPECT_EQ(995, proposed.right);
    sized.tracker.SetSnapWhileSizing(true);
    sized.tracker.Track(WMSZ_BOTTOMRIGHT, proposed);
    EXPECT_EQ(1000, proposed.right);
    EXPECT_EQ(400, proposed.bottom);
}

// Through the shape's hooks: real windows and the real work area are the targets.
TEST(SnapTrackerTest, ShapeSnapsToAnotherWindowAndToTheWorkArea)
{
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 600, 250, 120, 90, nullptr, nullptr,
                                 nullptr, nullptr);
    TFixedElement element(150, 60);
    TShape shape(nullptr, "Snap", &element, nullptr);
    shape.ShowModeless(0);
    HWND window = shape.Handle();
    RECT frame;
    GetWindowRect(window, &frame);
    int width = frame.right - frame.left, height = frame.bottom - frame.top;
    MoveWindow(window, 120, 260, width, height, TRUE);
    shape.SnapTracker().Bind(window);
    shape.SnapTracker().BeginTracking();

    RECT proposed{120, 260, 120 + width, 260 + height};
    int toOther = 600 - 4 - proposed.right; // right edge 4 pixels short of the other window
    OffsetRect(&proposed, toOther, -7);      // top 3 pixels below the other window's top
    shape.SnapTracker().Follow(0, proposed);
    EXPECT_EQ(600, proposed.right);
    EXPECT_EQ(250, proposed.top);
    EXPECT_EQ(width, proposed.right - proposed.left);

    RECT area = MonitorAreaOfWindow(window).work;
    RECT toEdge = proposed;
    OffsetRect(&toEdge, area.left + 6 - toEdge.left, 0);
    shape.SnapTracker().Follow(0, toEdge);
    EXPECT_EQ(area.left, toEdge.left);
    shape.SnapTracker().EndTracking();

    CloseShape(shape);
    DestroyWindow(other);
}

// A real drag on the client area under the display: it ends flush with the work area's left
// edge and the shape stores where it went.
TEST(SnapTrackerTest, RealDragSnapsToTheWorkAreaAndStoresThePlacement)
{
    if (!HaveXdotool()) GTEST_SKIP() << "no xdotool";
    TRegistryTestKey key;
    TRegistryStore store = key.Store("Places");
    TFixedElement element(200, 100);
    TShape shape(nullptr, "Drag", &element, nullptr);
    shape.SetPlacement(&store, "Dragged");
    shape.ShowModeless(0);
    HWND window = shape.Handle();
    RECT frame;
    GetWindowRect(window, &frame);
    MoveWindow(window, 300, 200, frame.right - frame.left, frame.bottom - frame.top, TRUE);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(window);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }, 5000, "the shape coming to the front"));

    RECT area = MonitorAreaOfWindow(window).work;
    POINT client{40, 40};
    ClientToScreen(window, &client);
    int travel = 300 - (area.left + 5); // ends 5 pixels short of the edge, which pulls it flush
    char arguments[512];
    std::snprintf(arguments, sizeof arguments,
                  "mousemove %ld %ld sleep 0.3 mousedown 1 sleep 0.3 mousemove %ld %ld sleep 0.2 "
                  "mousemove %ld %ld sleep 0.2 mousemove %ld %ld sleep 0.3 mouseup 1",
                  client.x, client.y, client.x - 40, client.y + 8, client.x - travel / 2, client.y + 14,
                  client.x - travel, client.y + 20);
    ASSERT_TRUE(RunXdotool(arguments));

    TRawValue value;
    EXPECT_TRUE(WaitUntil([&] { return key.Get("Places", "Dragged", value); }, 20000,
                          "the dragged shape's placement being stored"));
    GetWindowRect(window, &frame);
    EXPECT_EQ(area.left, frame.left);
    EXPECT_EQ(220, frame.top); // far from every edge: where the mouse took it
    ASSERT_EQ(sizeof(TPlacementRecord), value.bytes.size());
    TPlacementRecord record;
    std::memcpy(&record, value.bytes.data(), sizeof record);
    EXPECT_TRUE(EqualRect(&frame, &record.placement.rcNormalPosition));
    CloseShape(shape);
}
