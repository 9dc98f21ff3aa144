// Stored placements: the record, restoring inside the work area, cascading, Shift, damaged records.
#include <gtest/gtest.h>

#include <cstring>

#include "foundation/GlobalStores.h"
#include "framework/Placement.h"
#include "framework/ShapeLoops.h"
#include "framework/SystemMenu.h"
#include "framework/TestElements.h"
#include "framework/Translucency.h"
#include "framework/WorkArea.h"
#include "support/HeldKeys.h"
#include "support/RegistryTestKey.h"
#include "support/TwoMonitors.h"

namespace {

const char placementName[] = "Placed";

// A shape of a fixed size whose placement lives in its own store under a throwaway key.
class TPlacedShape {
public:
    explicit TPlacedShape(const TRegistryTestKey& key, bool showAtSetup = true)
        : element(200, 100), store(key.Store("Places")), shape(nullptr, "Placed", &element, nullptr)
    {
        shape.SetPlacement(&store, placementName);
        shape.SetShowAtSetup(showAtSetup);
    }
    ~TPlacedShape() { Close(); }

    HWND Open()
    {
        shape.ShowModeless(0);
        return shape.Handle();
    }
    void Close()
    {
        if (shape.Handle() && IsWindow(shape.Handle())) CloseShape(shape);
    }
    RECT Frame() const
    {
        RECT frame;
        GetWindowRect(shape.Handle(), &frame);
        return frame;
    }

    TFixedElement element;
    TRegistryStore store;
    TShape shape;
};

TPlacementRecord RecordAt(const RECT& normal, UINT mode = KeepPositionCommand)
{
    TPlacementRecord record{};
    record.placement.length = sizeof record.placement;
    record.placement.showCmd = SW_SHOWNORMAL;
    record.placement.rcNormalPosition = normal;
    record.style = WS_POPUP | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
    record.positionMode = mode;
    return record;
}

void WriteRecord(const TRegistryTestKey& key, const TPlacementRecord& record)
{
    ASSERT_EQ(ERROR_SUCCESS, key.SetRaw("Places", placementName, REG_BINARY, &record, sizeof record));
}

// The size a shape with the test's element has on this display.
SIZE ShapeSize(const TRegistryTestKey& key)
{
    TPlacedShape probe(key);
    probe.shape.SetPlacement(nullptr, "");
    probe.Open();
    RECT frame = probe.Frame();
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

RECT Sized(int x, int y, SIZE size) { return RECT{x, y, x + size.cx, y + size.cy}; }

} // namespace

TEST(PlacementTest, StoredRecordIs56BytesAndComesBackWithPositionAndTopmost)
{
    TRegistryTestKey key;
    RECT stored;
    {
        TPlacedShape first(key);
        HWND window = first.Open();
        MoveWindow(window, 130, 140, first.Frame().right - first.Frame().left,
                   first.Frame().bottom - first.Frame().top, TRUE);
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        MarkPositionMode(&first.shape, KeepPositionCommand);
        stored = first.Frame();
        ASSERT_TRUE(StorePlacement(&first.shape));

        TRawValue value;
        ASSERT_TRUE(key.Get("Places", placementName, value));
        EXPECT_EQ(static_cast<DWORD>(REG_BINARY), value.type);
        ASSERT_EQ(56u, value.bytes.size());
        TPlacementRecord record;
        std::memcpy(&record, value.bytes.data(), sizeof record);
        EXPECT_EQ(44u, record.placement.length);
        EXPECT_TRUE(EqualRect(&stored, &record.placement.rcNormalPosition));
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE)), record.style);
        EXPECT_TRUE(record.extendedStyle & WS_EX_TOPMOST);
        EXPECT_EQ(KeepPositionCommand, record.positionMode);
    }
    TPlacedShape second(key);
    HWND window = second.Open();
    RECT restored = second.Frame();
    EXPECT_TRUE(EqualRect(&stored, &restored));
    EXPECT_TRUE(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(IsWindowVisible(window));
}

TEST(PlacementTest, WithoutItsOwnStoreTheRecordGoesToSerializeOfTheApplicationStore)
{
    TRegistryTestKey key;
    CreateGlobalStores(key.Path("App").c_str());
    {
        TPlacedShape shape(key);
        shape.shape.SetPlacement(nullptr, "Main");
        shape.Open();
        EXPECT_TRUE(StorePlacement(&shape.shape));
        shape.shape.SetPlacement(nullptr, "");
        EXPECT_FALSE(StorePlacement(&shape.shape));
        EXPECT_FALSE(RestorePlacement(&shape.shape));
    }
    DestroyGlobalStores();
    TRawValue value;
    ASSERT_TRUE(key.Get("App\\Serialize", "Main", value));
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), value.type);
    EXPECT_EQ(56u, value.bytes.size());
}

// The shape cannot be sized, so it keeps its own size centred where the stored one was.
TEST(PlacementTest, ShapeThatCannotBeSizedKeepsItsSize)
{
    TRegistryTestKey key;
    SIZE size = ShapeSize(key);
    WriteRecord(key, RecordAt(RECT{200, 150, 200 + size.cx + 40, 150 + size.cy + 20}));
    TPlacedShape shape(key);
    shape.Open();
    RECT frame = shape.Frame();
    EXPECT_EQ(size.cx, frame.right - frame.left);
    EXPECT_EQ(size.cy, frame.bottom - frame.top);
    EXPECT_EQ(200 + 20, frame.left);
    EXPECT_EQ(150 + 10, frame.top);
}

TEST(PlacementTest, ShiftHeldOpensAtTheDefaultPlaceWithThePositionItemsEnabled)
{
    TRegistryTestKey key;
    SIZE size = ShapeSize(key);
    WriteRecord(key, RecordAt(Sized(31, 37, size)));
    TPlacedShape shape(key);
    {
        THeldKeys shift({VK_SHIFT});
        shape.Open();
    }
    RECT frame = shape.Frame();
    EXPECT_FALSE(frame.left == 31 && frame.top == 37);
    HMENU menu = GetSystemMenu(shape.shape.Handle(), FALSE);
    for (UINT command : {CentreCommand, MousePositionCommand, KeepPositionCommand}) {
        UINT state = GetMenuState(menu, command, MF_BYCOMMAND);
        if (state == static_cast<UINT>(-1)) continue; // no position menu on this shape
        EXPECT_FALSE(state & (MF_GRAYED | MF_DISABLED)) << command;
    }
}

TEST(PlacementTest, RecordOutsideTheWorkAreaComesBackTenPixelsInside)
{
    TRegistryTestKey key;
    SIZE size = ShapeSize(key);
    RECT area = MonitorAreaAt(POINT{0, 0}).work; // the primary monitor's
    {
        WriteRecord(key, RecordAt(Sized(area.right + 300, area.bottom + 200, size)));
        TPlacedShape shape(key);
        shape.Open();
        RECT frame = shape.Frame();
        EXPECT_EQ(area.right - 10, frame.right);
        EXPECT_EQ(area.bottom - 10, frame.bottom);
    }
    {
        WriteRecord(key, RecordAt(Sized(area.left - 500, area.top - 400, size)));
        TPlacedShape shape(key);
        shape.Open();
        RECT frame = shape.Frame();
        EXPECT_EQ(area.left + 10, frame.left);
        EXPECT_EQ(area.top + 10, frame.top);
    }
}

// The screen cut in two monitors (Wine's SetWindowPlacement keeps a window on the screen it
// knows, so the monitors lie on it): a record comes back 10 pixels inside the work area of the
// monitor it lies most on, or of the nearest one when it lies on none, and centres there.
TEST(PlacementTest, RecordComesBackOnItsMonitorOrTheNearestOne)
{
    TTwoMonitors monitors(TTwoMonitors::SplitScreen);
    const RECT left = monitors.First().work, right = monitors.Second().work;
    TRegistryTestKey key;
    SIZE size = ShapeSize(key);
    const struct {
        RECT stored;
        UINT mode;
        POINT expected;
    } cases[] = {
        {Sized(right.left + 20, right.top + 30, size), KeepPositionCommand, {right.left + 20, right.top + 30}},
        {Sized(left.right - size.cx + 40, 60, size), KeepPositionCommand, {left.right - 10 - size.cx, 60}},
        {Sized(right.right + 2000, right.top - 900, size), KeepPositionCommand,
         {right.right - 10 - size.cx, right.top + 10}},
        {Sized(right.left + 5, right.top + 5, size), CentreCommand,
         {right.left + (right.right - right.left - size.cx) / 2, (monitors.Second().monitor.bottom - size.cy) / 2}},
    };
    for (const auto& row : cases) {
        WriteRecord(key, RecordAt(row.stored, row.mode));
        TPlacedShape shape(key);
        shape.Open();
        RECT frame = shape.Frame();
        EXPECT_EQ(row.expected.x, frame.left) << row.stored.left << "," << row.stored.top;
        EXPECT_EQ(row.expected.y, frame.top) << row.stored.left << "," << row.stored.top;
    }
}

TEST(PlacementTest, SecondShapeAtTheSamePlaceIsCascadedByCaptionAndFrame)
{
    TRegistryTestKey key;
    SIZE size = ShapeSize(key);
    WriteRecord(key, RecordAt(Sized(100, 100, size)));
    TPlacedShape first(key), second(key), third(key);
    first.Open();
    second.Open();
    third.Open();
    int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYDLGFRAME);
    EXPECT_EQ(100, first.Frame().left);
    EXPECT_EQ(100 + step, second.Frame().left);
    EXPECT_EQ(100 + step, second.Frame().top);
    EXPECT_EQ(100 + 2 * step, third.Frame().left);
    EXPECT_EQ(100 + 2 * step, third.Frame().top);
}

TEST(PlacementTest, CentreModeRecentresAndHiddenShapeStaysHidden)
{
    TRegistryTestKey key;
    SIZE size = ShapeSize(key);
    RECT screen;
    GetWindowRect(GetDesktopWindow(), &screen);
    WriteRecord(key, RecordAt(Sized(5, 5, size), CentreCommand));
    TPlacedShape shape(key, false);
    HWND window = shape.Open();
    RECT frame = shape.Frame();
    EXPECT_EQ((screen.right - screen.left - size.cx) / 2, frame.left);
    EXPECT_EQ((screen.bottom - screen.top - size.cy) / 2, frame.top);
    EXPECT_FALSE(IsWindowVisible(window));
    HMENU menu = GetSystemMenu(window, FALSE);
    if (GetMenuState(menu, CentreCommand, MF_BYCOMMAND) != static_cast<UINT>(-1)) {
        EXPECT_TRUE(GetMenuState(menu, CentreCommand, MF_BYCOMMAND) & MF_CHECKED);
        EXPECT_FALSE(GetMenuState(menu, KeepPositionCommand, MF_BYCOMMAND) & MF_CHECKED);
    }
}

TEST(PlacementTest, DamagedRecordsAreIgnored)
{
    TRegistryTestKey key;
    SIZE size = ShapeSize(key);
    RECT area = MonitorAreaAt(POINT{0, 0}).work; // the primary monitor's
    TPlacementRecord good = RecordAt(Sized(40, 50, size));
    TPlacementRecord absurd = RecordAt(RECT{-2000000000, 40, 2000000000, 90});
    TPlacementRecord child = good;
    child.style |= WS_CHILD;
    struct {
        DWORD type;
        const void* data;
        DWORD size;
    } damaged[] = {
        {REG_BINARY, &good, 3},
        {REG_SZ, &good, sizeof good},
        {REG_BINARY, &absurd, sizeof absurd},
        {REG_BINARY, &child, sizeof child},
    };
    for (const auto& record : damaged) {
        ASSERT_EQ(ERROR_SUCCESS, key.SetRaw("Places", placementName, record.type, record.data, record.size));
        TPlacedShape shape(key);
        shape.Open();
        EXPECT_FALSE(RestorePlacement(&shape.shape));
        RECT frame = shape.Frame();
        EXPECT_FALSE(frame.left == 40 && frame.top == 50);
        EXPECT_GE(frame.left, area.left);
        EXPECT_LE(frame.right, area.right);
        EXPECT_TRUE(IsWindowVisible(shape.shape.Handle()));
    }
}

TEST(PlacementTest, TranslucentRecordComesBackLayered)
{
    if (!LayeredAvailable()) GTEST_SKIP() << "no layered windows here";
    TRegistryTestKey key;
    SIZE size = ShapeSize(key);
    TPlacementRecord record = RecordAt(Sized(60, 60, size));
    record.extendedStyle = WS_EX_LAYERED;
    WriteRecord(key, record);
    TPlacedShape shape(key);
    HWND window = shape.Open();
    EXPECT_TRUE(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_LAYERED);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(window, nullptr, &alpha, &flags));
    EXPECT_TRUE(flags & LWA_ALPHA);
    EXPECT_EQ(180, alpha); // nothing stored in the library's settings during tests
}
