// Radio groups and check boxes: columns, companions, clicks, refreshing both ways and stored values.
#include <gtest/gtest.h>

#include "controls/CheckBoxElement.h"
#include "controls/RadioGroupElement.h"
#include "foundation/RegistrySection.h"
#include "framework/ShapeLoops.h"
#include "framework/TestElements.h"
#include "support/RegistryTestKey.h"

namespace {

// A companion that remembers whether it was last enabled.
class TCompanion : public TFixedElement {
public:
    TCompanion(int width, int height, int dock = DockFill) : TFixedElement(width, height, dock) {}
    void Enable(bool flag) override { enabled = flag ? 1 : 0; }
    int enabled = -1;
};

RECT WindowRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

bool IsChecked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

} // namespace

TEST(RadioGroupElementTest, FiveItemsInTwoColumnsMakeThreeRowsAndItemThreeHeadsTheSecond)
{
    TRadioItem items[] = {{0, "Zero"}, {1, "One"}, {2, "Two"}, {3, "Three"}, {4, "Four"}};
    TRadioGroupElement group(2, &items[0], &items[1], &items[2], &items[3], &items[4], nullptr);
    group.SetColumns(2);
    group.SetWidthFollowsCaptions(false);
    group.SetItemWidth(60);
    TShape shape(nullptr, "Radio", &group, nullptr);
    shape.ShowModeless(0);
    EXPECT_EQ(3, group.Rows());
    const RECT zero = WindowRect(items[0].control.hwnd), three = WindowRect(items[3].control.hwnd);
    EXPECT_EQ(zero.top, three.top);
    EXPECT_EQ(zero.left + 66, three.left);
    EXPECT_EQ(zero.top + 36, WindowRect(items[2].control.hwnd).top);
    EXPECT_TRUE(IsChecked(items[2].control.hwnd));
    EXPECT_FALSE(IsWindowVisible(group.Frame())); // no caption, no frame to see
    DestroyWindow(shape.Handle());
    PumpPending();
}

TEST(RadioGroupElementTest, ClicksAndRefreshesMoveTheValueAndTheCompanions)
{
    TCompanion first(40, 20), second(40, 20);
    TRadioItem a(10, "A", &first), b(20, "B", &second);
    TRadioGroupElement group(10, &a, &b, nullptr);
    group.SetFrameCaption("Choice");
    TShape shape(nullptr, "Radio", &group, nullptr);
    shape.ShowModeless(0);
    EXPECT_TRUE(IsWindowVisible(group.Frame()));
    EXPECT_EQ(1, first.enabled);
    EXPECT_EQ(0, second.enabled);
    // The companion sits 18 right and 18 below its button.
    const RECT button = WindowRect(a.control.hwnd);
    POINT corner{button.left, button.top};
    ScreenToClient(shape.Handle(), &corner);
    EXPECT_EQ(corner.x + 18, first.placedAt.x);
    EXPECT_EQ(corner.y + 18, first.placedAt.y);

    SendMessageA(shape.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(b.control.hwnd), BN_CLICKED),
                 reinterpret_cast<LPARAM>(b.control.hwnd));
    EXPECT_EQ(20, group.Value());
    EXPECT_EQ(0, first.enabled);
    EXPECT_EQ(1, second.enabled);

    group.SetValue(10);
    group.RefreshFromData();
    EXPECT_TRUE(IsChecked(a.control.hwnd));
    EXPECT_FALSE(IsChecked(b.control.hwnd));
    EXPECT_EQ(1, first.enabled);

    SendMessageA(a.control.hwnd, BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageA(b.control.hwnd, BM_SETCHECK, BST_CHECKED, 0);
    group.RefreshToData();
    EXPECT_EQ(20, group.Value());

    group.Enable(false);
    EXPECT_FALSE(IsWindowEnabled(a.control.hwnd));
    EXPECT_EQ(0, second.enabled);
    DestroyWindow(shape.Handle());
    PumpPending();
}

TEST(RadioGroupElementTest, AMissingValueSelectsTheConstructorsValue)
{
    TRegistryTestKey testKey;
    TRadioItem a(1, "A"), b(2, "B");
    TRadioGroupElement group(2, &a, &b, nullptr);
    group.name = "Mode";
    TRegistrySection key(testKey.Store(), "");
    group.SetValue(1);
    group.Load(key.Store());
    EXPECT_EQ(2, group.Value());
    group.SetValue(1);
    group.Save(key.Store());
    group.SetValue(2);
    group.Load(key.Store());
    EXPECT_EQ(1, group.Value());
}

TEST(RadioGroupElementTest, CheckBoxCompanionsSitBesideOrUnder)
{
    TCompanion beside(50, 30, DockRight), under(200, 40, DockBottom);
    TCheckBoxElement right(DockTop, 100, "Right", false, &beside), below(DockTop, 100, "Below", false, &under);
    TCheckBoxElement alone(DockTop, 100, "Alone", false);
    SIZE size = right.Measure(nullptr, nullptr);
    EXPECT_EQ(100 + 6 + 50, size.cx);
    EXPECT_EQ(30, size.cy);
    size = below.Measure(nullptr, nullptr);
    EXPECT_EQ(218, size.cx);
    EXPECT_EQ(18 + 40 + 6, size.cy);
    size = alone.Measure(nullptr, nullptr);
    EXPECT_EQ(100, size.cx);
    EXPECT_EQ(18, size.cy);
}

TEST(RadioGroupElementTest, CheckBoxesStoreZeroOrOneAndFallBackToTheirDefault)
{
    TRegistryTestKey testKey;
    TCompanion companion(10, 10);
    TCheckBoxElement box(DockTop, 100, "Box", true, &companion);
    box.name = "Flag";
    TRegistrySection key(testKey.Store(), "");
    box.SetChecked(false);
    box.Load(key.Store());
    EXPECT_TRUE(box.Checked());
    box.SetChecked(false);
    box.Save(key.Store());
    TRawValue value;
    ASSERT_TRUE(testKey.Get("", "Flag", value));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), value.type);
    EXPECT_EQ(std::string(4, '\0'), value.bytes);

    TShape shape(nullptr, "Check", &box, nullptr);
    shape.ShowModeless(0);
    EXPECT_EQ(0, companion.enabled);
    SendMessageA(box.Window(), BM_CLICK, 0, 0);
    EXPECT_TRUE(box.Checked());
    EXPECT_EQ(1, companion.enabled);
    DestroyWindow(shape.Handle());
    PumpPending();
}
