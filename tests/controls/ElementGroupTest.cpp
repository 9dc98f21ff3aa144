// Docking layout of element groups, the caption frame and the text element, with the GUI font.
#include <gtest/gtest.h>

#include "controls/ElementGroup.h"
#include "controls/TextElement.h"
#include "framework/ShapeLoops.h"
#include "framework/TestElements.h"

namespace {

// A screen DC with DEFAULT_GUI_FONT selected, as a shape measures with.
class TGuiFontDC {
public:
    TGuiFontDC() : dc(GetDC(nullptr)), old(SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT))) {}
    ~TGuiFontDC()
    {
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
    }
    operator HDC() const { return dc; }

private:
    HDC dc;
    HGDIOBJ old;
};

} // namespace

TEST(ElementGroupTest, TopChildrenAddTheirPaddedHeightsAndEmptyOnesTakeNoSpacing)
{
    TGuiFontDC dc;
    TFixedElement a(40, 20, DockTop), b(60, 30, DockTop), empty(0, 0, DockTop);
    TElementGroup group(12, 12, &a, &b, &empty, nullptr);
    SIZE size = group.Measure(nullptr, dc);
    EXPECT_EQ(62, size.cy);
    EXPECT_EQ(60, size.cx);
    EXPECT_EQ(0, group.ChildPosition(0).y);
    EXPECT_EQ(32, group.ChildPosition(1).y);
}

TEST(ElementGroupTest, BottomChildrenStackFromTheBottomInListOrder)
{
    TGuiFontDC dc;
    TFixedElement lowest(50, 10, DockBottom), top(50, 20, DockTop), upper(50, 30, DockBottom);
    TElement* children[] = {&lowest, &top, &upper, nullptr};
    TElementGroup group(children);
    SIZE size = group.Measure(nullptr, dc);
    EXPECT_EQ(60, size.cy);
    EXPECT_EQ(50, group.ChildPosition(0).y);
    EXPECT_EQ(0, group.ChildPosition(1).y);
    EXPECT_EQ(20, group.ChildPosition(2).y);
}

TEST(ElementGroupTest, AlignmentsPlaceChildrenInsideTheirStrips)
{
    TGuiFontDC dc;
    TFixedElement tall(30, 28, DockLeft), small(20, 9, DockLeft, AlignLeftCentred);
    TElementGroup group(12, 12, &tall, &small, nullptr);
    SIZE size = group.Measure(nullptr, dc);
    EXPECT_EQ(30 + 12 + 20, size.cx);
    EXPECT_EQ(28, size.cy);
    EXPECT_EQ(42, group.ChildPosition(1).x);
    EXPECT_EQ(9, group.ChildPosition(1).y); // strip of 40, padded height 21

    TFixedElement wide(100, 10, DockTop), right(20, 10, DockTop, AlignRightCentred),
        bottom(20, 10, DockLeft, AlignBottomCentred), centred(21, 10, DockTop, AlignTopCentred);
    TElementGroup column(&wide, &right, &centred, nullptr);
    column.Measure(nullptr, dc);
    EXPECT_EQ(80, column.ChildPosition(1).x);
    EXPECT_EQ(39, column.ChildPosition(2).x); // (100 - 21) / 2 truncates

    TFixedElement high(10, 50, DockLeft);
    TElementGroup row(&high, &bottom, nullptr);
    row.Measure(nullptr, dc);
    EXPECT_EQ(40, row.ChildPosition(1).y);
}

TEST(ElementGroupTest, FillChildDiscardsWhatLaterChildrenAdded)
{
    TGuiFontDC dc;
    TFixedElement fill(70, 40, DockFill), later(200, 100, DockTop);
    TElementGroup group(&fill, &later, nullptr);
    SIZE size = group.Measure(nullptr, dc);
    EXPECT_EQ(70, size.cx);
    EXPECT_EQ(40, size.cy);

    TElementGroup empty(12, 12, static_cast<TElement* const*>(nullptr));
    size = empty.Measure(nullptr, dc);
    EXPECT_EQ(0, size.cx);
    EXPECT_EQ(0, size.cy);
}

TEST(ElementGroupTest, CaptionedGroupFramesItsChildrenBelowThem)
{
    TGuiFontDC dc;
    TFixedElement content(100, 50);
    TElementGroup framed("Frame", &content, nullptr);
    SIZE size = framed.Measure(nullptr, dc);
    EXPECT_EQ(136, size.cx);
    EXPECT_EQ(76, size.cy);

    TFixedElement next(30, 10, DockTop);
    TShape shape(nullptr, "Framed", &framed, &next, nullptr);
    framed.dock = DockTop;
    shape.ShowModeless(0);
    EXPECT_EQ(12 + 18, content.placedAt.x);
    EXPECT_EQ(12 + 18, content.placedAt.y);
    HWND frame = framed.Frame();
    ASSERT_NE(nullptr, frame);
    EXPECT_STREQ("TransparentButton", TWindow::ClassNameOf(frame));
    EXPECT_EQ(BS_GROUPBOX, GetWindowLongA(frame, GWL_STYLE) & 0x0F);
    EXPECT_EQ(-1, GetDlgCtrlID(frame));
    EXPECT_EQ(nullptr, GetWindow(frame, GW_HWNDNEXT)); // bottom of the z-order
    RECT rect;
    GetWindowRect(frame, &rect);
    EXPECT_EQ(136, rect.right - rect.left);
    EXPECT_EQ(76, rect.bottom - rect.top);
    CloseShape(shape);
}

TEST(ElementGroupTest, TextElementIsAtLeast32HighWithItsWindowCentred)
{
    TGuiFontDC dc;
    RECT line{0, 0, 0, 0};
    DrawTextA(dc, "Message", -1, &line, DT_CALCRECT);
    int textHeight = line.bottom + 2;
    ASSERT_LT(textHeight, 32);

    TTextElement text("Message", DockTop);
    SIZE size = text.Measure(nullptr, dc);
    EXPECT_EQ(32, size.cy);
    EXPECT_EQ(line.right + 2, size.cx);
    TTextElement low("Message", DockTop, AlignCentred, true);
    EXPECT_EQ(textHeight, low.Measure(nullptr, dc).cy);

    TShape shape(nullptr, "Text", &text, nullptr);
    shape.ShowModeless(0);
    ASSERT_NE(nullptr, text.Window());
    EXPECT_STREQ("TransparentEdit", TWindow::ClassNameOf(text.Window()));
    RECT window;
    GetWindowRect(text.Window(), &window);
    POINT origin{window.left, window.top};
    ScreenToClient(shape.Handle(), &origin);
    EXPECT_EQ(12, origin.x);
    EXPECT_EQ(12 + (32 - textHeight) / 2, origin.y);
    if (line.bottom == 12) {
        EXPECT_EQ(12 + 9, origin.y);
    }
    EXPECT_EQ(textHeight, window.bottom - window.top);
    LONG style = GetWindowLongA(text.Window(), GWL_STYLE);
    EXPECT_TRUE(style & ES_READONLY);
    EXPECT_TRUE(style & ES_MULTILINE);
    EXPECT_EQ(5001, GetDlgCtrlID(text.Window()));
    text.Enable(false);
    EXPECT_FALSE(IsWindowEnabled(text.Window()));
    CloseShape(shape);
}
