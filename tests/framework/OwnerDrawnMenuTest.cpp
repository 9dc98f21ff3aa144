// Owner-drawn menus: item measures sent through the shape, and the access keys of WM_MENUCHAR.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "framework/OwnerDrawnMenu.h"
#include "framework/ShapeLoops.h"
#include "framework/TestElements.h"
#include "support/Surface.h"

namespace {

class TMenuShapeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        shape.ShowModeless(0);
        menu = CreatePopupMenu();
    }
    void TearDown() override
    {
        drawn.reset();
        DestroyMenu(menu);
        DestroyWindow(shape.Handle());
        PumpPending();
    }
    void Make()
    {
        drawn.reset(new TOwnerDrawnMenu(menu));
        drawn->MakeOwnerDrawn();
    }
    SIZE Measured(int position)
    {
        MEASUREITEMSTRUCT item{};
        item.CtlType = ODT_MENU;
        item.itemID = GetMenuItemID(menu, position);
        item.itemData = reinterpret_cast<ULONG_PTR>(OwnerDrawnItemAt(menu, position));
        EXPECT_TRUE(SendMessageA(shape.Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&item)));
        return SIZE{static_cast<LONG>(item.itemWidth), static_cast<LONG>(item.itemHeight)};
    }

    TFixedElement element{120, 40};
    TShape shape{nullptr, "Owner drawn", &element, nullptr};
    HMENU menu = nullptr;
    std::unique_ptr<TOwnerDrawnMenu> drawn;
};

// What the menu font makes of a text, measured here independently of the item.
struct TMenuFontProbe {
    TMenuFontProbe() : dc(CreateCompatibleDC(nullptr)), old(SelectObject(dc, metrics.Font())) {}
    ~TMenuFontProbe()
    {
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    SIZE Text(const char* text)
    {
        RECT bounds{0, 0, 0, 0};
        DrawTextA(dc, text, -1, &bounds, DT_CALCRECT);
        return SIZE{bounds.right, bounds.bottom};
    }
    int HalfWide()
    {
        SIZE size;
        GetTextExtentPoint32A(dc, "全", static_cast<int>(std::strlen("全")), &size);
        return size.cx / 2;
    }
    TMenuMetrics metrics;
    HDC dc;
    HGDIOBJ old;
};

} // namespace

TEST_F(TMenuShapeTest, MeasureFollowsTheWidthRuleAndTheIconBoxGrowsForTallLabels)
{
    AppendMenuA(menu, MF_STRING, 101, "Short(&S)");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, 102, "One\nTwo\nThree");
    AppendMenuA(menu, MF_STRING, 103, "Keys(&K)\tCtrl+K");
    std::string wide(400, 'W');
    AppendMenuA(menu, MF_STRING, 104, wide.c_str());
    Make();
    ASSERT_EQ(4, drawn->Count()); // no object for the separator

    TMenuFontProbe probe;
    const int half = probe.HalfWide();
    ASSERT_GT(half, 0);
    SIZE label = probe.Text("Short(&S)");
    SIZE measured = Measured(0);
    EXPECT_EQ(19 + label.cx + 2 - half, measured.cx);
    EXPECT_EQ(label.cy > 19 ? label.cy : 19, measured.cy);
    EXPECT_FALSE(drawn->Item(0)->Large());

    SIZE tall = probe.Text("One\nTwo\nThree");
    ASSERT_GE(tall.cy, 27);
    measured = Measured(2);
    EXPECT_TRUE(drawn->Item(1)->Large());
    EXPECT_EQ(35, drawn->Item(1)->IconBox().cx);
    EXPECT_EQ(35 + tall.cx + 2 - half, measured.cx);
    EXPECT_EQ(tall.cy > 35 ? tall.cy : 35, measured.cy);

    // The accelerator has a column of its own, a full-width character after the label.
    TOwnerDrawnItem* keys = drawn->Item(2);
    EXPECT_STREQ("Keys(&K)", keys->Label().Text());
    EXPECT_STREQ("Ctrl+K", keys->Accelerator().Text());
    EXPECT_EQ(19 + probe.Text("Keys(&K)").cx + 2 - half + 2 * half + probe.Text("Ctrl+K").cx, Measured(3).cx);

    // Half the screen or wider: a third of the screen.
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN) / 3, Measured(4).cx);
}

TEST_F(TMenuShapeTest, MenuCharFindsTheUpperCaseMarkOfOwnerDrawnItems)
{
    AppendMenuA(menu, MF_STRING, 201, "Open(&O)");
    AppendMenuA(menu, MF_STRING, 202, "lower(&x)");
    AppendMenuA(menu, MF_STRING, 203, "Save(&S)\tCtrl+S");
    AppendMenuA(menu, MF_STRING, 204, "Plain(&P)");
    Make();
    // A plain item is not one of ours and is never chosen.
    ModifyMenuA(menu, 3, MF_BYPOSITION | MF_STRING, 204, "Plain(&P)");
    auto menuChar = [this](char typed) {
        return SendMessageA(shape.Handle(), WM_MENUCHAR, MAKEWPARAM(static_cast<BYTE>(typed), MF_POPUP),
                            reinterpret_cast<LPARAM>(menu));
    };
    EXPECT_EQ(MAKELRESULT(2, MNC_EXECUTE), menuChar('s'));
    EXPECT_EQ(MAKELRESULT(2, MNC_EXECUTE), menuChar('S'));
    EXPECT_EQ(MAKELRESULT(0, MNC_EXECUTE), menuChar('o'));
    EXPECT_NE(MNC_EXECUTE, HIWORD(menuChar('x')));
    EXPECT_NE(MNC_EXECUTE, HIWORD(menuChar('p')));
}

TEST_F(TMenuShapeTest, PopupItemsCarryTheirSubmenuAndTheObjectLeavesPlainItemsBehind)
{
    HMENU inner = CreatePopupMenu();
    AppendMenuA(inner, MF_STRING, 301, "Inner(&I)");
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(inner), "Outer(&O)");
    Make();
    TOwnerDrawnItem* outer = OwnerDrawnItemAt(menu, 0);
    ASSERT_NE(nullptr, outer);
    ASSERT_NE(nullptr, outer->Submenu());
    EXPECT_EQ(outer->Submenu()->Item(0), OwnerDrawnItemAt(inner, 0));
    EXPECT_EQ(outer->Submenu()->Item(0), drawn->ItemOfCommand(301));
    EXPECT_TRUE(drawn->AttachIcon(301, "OK_ICON"));
    EXPECT_FALSE(drawn->AttachIcon(999, "OK_ICON"));
    drawn.reset();
    EXPECT_EQ(nullptr, OwnerDrawnItemAt(menu, 0));
    EXPECT_EQ(nullptr, OwnerDrawnItemAt(inner, 0));
}

TEST_F(TMenuShapeTest, DrawItemFillsSelectedItemsWithTheHighlightColour)
{
    AppendMenuA(menu, MF_STRING, 401, "Draw(&D)");
    Make();
    TSurface surface(200, 24);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_MENU;
    item.itemID = 401;
    item.itemAction = ODA_DRAWENTIRE;
    item.hDC = surface.Dc();
    item.rcItem = RECT{0, 0, 200, 24};
    item.itemData = reinterpret_cast<ULONG_PTR>(OwnerDrawnItemAt(menu, 0));
    item.itemState = ODS_SELECTED;
    EXPECT_TRUE(SendMessageA(shape.Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), surface.At(198, 1));
    // A checked item without an icon gets the raised square behind its check mark.
    item.itemState = ODS_CHECKED;
    EXPECT_TRUE(SendMessageA(shape.Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), surface.At(1, 19));
    // Items without an item object are left to default processing.
    item.itemData = 0;
    EXPECT_FALSE(SendMessageA(shape.Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item)));
}
