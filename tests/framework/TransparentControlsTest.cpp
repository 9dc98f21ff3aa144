// Transparent controls: the system class before binding, no erasing after it, halo text,
// button drawing with the default frame, and a window showing them over the background.
#include "framework/HaloText.h"
#include "framework/TransparentButton.h"
#include "framework/TransparentControls.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "framework/TransparentParent.h"
#include "support/ScreenPixels.h"
#include "support/Surface.h"
#include "support/Wait.h"

namespace {

class TransparentControls : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterTransparentClasses();
        parent = CreateTransparentParent("Transparent controls", 360, 260);
        ASSERT_NE(nullptr, parent);
    }
    void TearDown() override { DestroyWindow(parent); }
    HWND parent = nullptr;
};

} // namespace

TEST_F(TransparentControls, UnboundControlsAreTheSystemClass)
{
    RegisterTransparentClasses(); // a second time changes nothing
    WNDCLASSA known;
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "TransparentEdit", &known));
    EXPECT_EQ(reinterpret_cast<WNDPROC>(&TTransparentEditbox::PreWndProc), known.lpfnWndProc);

    HWND edit = CreateControl(parent, "TransparentEdit", "first", ES_AUTOHSCROLL, 10, 10, 120, 20, 100);
    ASSERT_NE(nullptr, edit);
    EXPECT_EQ(nullptr, TransparentControlOf(edit));
    SetWindowTextA(edit, "changed text");
    char text[64] = "";
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ("changed text", text);
    SendMessageA(edit, EM_SETSEL, 0, 7);
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(7u, end);

    HWND check = CreateControl(parent, "TransparentButton", "Check", BS_AUTOCHECKBOX, 10, 40, 120, 18, 101);
    SendMessageA(check, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(BST_CHECKED, SendMessageA(check, BM_GETCHECK, 0, 0));

    // Binding needs a transparent class; the record learns its window.
    TTransparentControl record;
    HWND plain = CreateControl(parent, "STATIC", "plain", 0, 10, 70, 50, 16, 102);
    EXPECT_FALSE(BindTransparentControl(plain, &record));
    EXPECT_TRUE(BindTransparentControl(edit, &record));
    EXPECT_EQ(edit, record.hwnd);
    EXPECT_EQ(&record, TransparentControlOf(edit));
    // Bound, it still keeps its text as the system class does.
    SetWindowTextA(edit, "bound");
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ("bound", text);
}

TEST_F(TransparentControls, BoundControlsLeaveTheBackgroundUnerased)
{
    HWND label = CreateControl(parent, "TransparentStatic", "Label", 0, 10, 10, 80, 16, 100);
    TSurface before(100, 40);
    // Unbound, the system class answers that it erased.
    EXPECT_NE(0, SendMessageA(label, WM_ERASEBKGND, reinterpret_cast<WPARAM>(before.Dc()), 0));

    TTransparentControl record;
    ASSERT_TRUE(BindTransparentControl(label, &record));
    TSurface after(100, 40);
    EXPECT_EQ(0, SendMessageA(label, WM_ERASEBKGND, reinterpret_cast<WPARAM>(after.Dc()), 0));
    EXPECT_EQ(TSurface::Untouched, after.At(5, 5));

    HWND button = CreateControl(parent, "TransparentButton", "Box", BS_AUTOCHECKBOX, 10, 40, 80, 18, 101);
    TTransparentControl buttonRecord;
    ASSERT_TRUE(BindTransparentControl(button, &buttonRecord));
    EXPECT_EQ(0, SendMessageA(button, WM_ERASEBKGND, reinterpret_cast<WPARAM>(after.Dc()), 0));
    EXPECT_EQ(TSurface::Untouched, after.At(5, 5));
}

TEST(HaloText, RimOfTwoPixelsInTheBackgroundColour)
{
    TSurface canvas(120, 40);
    HGDIOBJ previous = SelectObject(canvas.Dc(), GetStockObject(DEFAULT_GUI_FONT));
    SetTextColor(canvas.Dc(), RGB(0, 0, 0));
    SetBkColor(canvas.Dc(), RGB(255, 255, 255));
    DrawHaloText(canvas.Dc(), 20, 10, true, "I&I");
    SelectObject(canvas.Dc(), previous);
    // Column extents of the text and of its rim.
    int textLeft = 1000, rimLeft = 1000, textTop = 1000, rimTop = 1000;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 120; ++x) {
            const COLORREF pixel = canvas.At(x, y);
            if (pixel == RGB(0, 0, 0)) textLeft = std::min(textLeft, x), textTop = std::min(textTop, y);
            if (pixel == RGB(255, 255, 255)) rimLeft = std::min(rimLeft, x), rimTop = std::min(rimTop, y);
        }
    }
    ASSERT_LT(textLeft, 1000);
    EXPECT_EQ(textLeft - 2, rimLeft);
    EXPECT_EQ(textTop - 2, rimTop);
    EXPECT_EQ(TSurface::Untouched, canvas.At(0, 0)); // transparent: nothing else is filled
}

TEST_F(TransparentControls, DefaultFrameShowsUnlessSuppressed)
{
    HWND button = CreateControl(parent, "TransparentPushButton", "OK", BS_OWNERDRAW, 10, 10, 88, 24, 1);
    TTransparentControl record;
    record.isDefault = true;
    ASSERT_TRUE(BindTransparentControl(button, &record));
    EXPECT_TRUE(IsTransparentDefaultButton(button));
    SetFocus(parent);

    TSurface framed(88, 24);
    TTransparentButton::DrawButton(button, framed.Dc(), true, false, false, false, false);
    EXPECT_EQ(RGB(0, 0, 0), framed.At(0, 0));
    EXPECT_EQ(RGB(0, 0, 0), framed.At(87, 23));

    TSurface plain(88, 24);
    TTransparentButton::DrawButton(button, plain.Dc(), true, false, false, false, true);
    EXPECT_NE(RGB(0, 0, 0), plain.At(0, 0));
    EXPECT_NE(TSurface::Untouched, plain.At(40, 2)); // the face is painted

    record.isDefault = false;
    EXPECT_FALSE(IsTransparentDefaultButton(button));
    TSurface ordinary(88, 24);
    TTransparentButton::DrawButton(button, ordinary.Dc(), true, false, false, false, false);
    EXPECT_NE(RGB(0, 0, 0), ordinary.At(0, 0));
}

// The thick frame of the default button moves to a focused push button and comes back when
// the focus goes on to a control that is not a push button.
TEST_F(TransparentControls, DefaultFrameFollowsTheFocus)
{
    HWND ok = CreateControl(parent, "TransparentPushButton", "OK", BS_OWNERDRAW | WS_TABSTOP, 10, 10, 88, 24, 1);
    HWND cancel = CreateControl(parent, "TransparentPushButton", "Cancel", BS_OWNERDRAW | WS_TABSTOP, 110, 10, 88, 24, 2);
    HWND edit = CreateControl(parent, "TransparentEdit", "text", WS_TABSTOP | ES_AUTOHSCROLL, 10, 50, 100, 20, 5000);
    TTransparentControl records[3];
    records[0].isDefault = true;
    ASSERT_TRUE(BindTransparentControl(ok, &records[0]));
    ASSERT_TRUE(BindTransparentControl(cancel, &records[1]));
    ASSERT_TRUE(BindTransparentControl(edit, &records[2]));
    ShowWindow(parent, SW_SHOW);
    SetForegroundWindow(parent);

    // The thick frame's black corner, as the button is on the screen.
    auto framed = [](HWND button) { return WindowPixel(button, 0, 0) == RGB(0, 0, 0); };
    const struct {
        HWND focus;
        bool okFramed;
    } steps[] = {{edit, true}, {cancel, false}, {edit, true}};
    for (const auto& step : steps) {
        SetFocus(step.focus);
        EXPECT_TRUE(WaitUntil([&] { return framed(ok) == step.okFramed && framed(cancel) != step.okFramed; }, 2000,
                              "the default frame's move"));
        EXPECT_EQ(step.okFramed, framed(ok));
        EXPECT_NE(step.okFramed, framed(cancel));
    }
}

TEST_F(TransparentControls, CheckBoxesAndRadiosDrawTheirGlyph)
{
    const DWORD styles[] = {BS_AUTOCHECKBOX, BS_AUTORADIOBUTTON, BS_AUTO3STATE};
    for (DWORD style : styles) {
        HWND button = CreateControl(parent, "TransparentButton", "Glyph", style, 10, 10, 100, 18, 5000);
        TSurface canvas(100, 18);
        TTransparentButton::DrawButton(button, canvas.Dc(), true, true, false, false, false);
        EXPECT_NE(TSurface::Untouched, canvas.At(6, 9)) << "style " << style;  // inside the 13 x 13 box
        EXPECT_EQ(TSurface::Untouched, canvas.At(15, 1)) << "style " << style; // between glyph and text
        DestroyWindow(button);
    }
}

TEST_F(TransparentControls, MeasuringTakesTheChildOrTheRecordedSize)
{
    CreateControl(parent, "TransparentPushButton", "OK", BS_OWNERDRAW, 10, 10, 88, 24, 1);
    SetTransparentPushButtonSize(75, 23);
    MEASUREITEMSTRUCT item = {};
    item.CtlType = ODT_BUTTON;
    item.CtlID = 1;
    EXPECT_TRUE(MeasureTransparentPushButton(parent, item));
    EXPECT_EQ(88u, item.itemWidth);
    EXPECT_EQ(24u, item.itemHeight);
    item.CtlID = 77;
    EXPECT_TRUE(MeasureTransparentPushButton(parent, item));
    EXPECT_EQ(75u, item.itemWidth);
    EXPECT_EQ(23u, item.itemHeight);
    item.CtlType = ODT_MENU;
    EXPECT_FALSE(MeasureTransparentPushButton(parent, item));
}

// Every kind over the background picture (a scene of the showcase program too): the logo shows
// through in the bottom-right corner of the client area.
TEST(TransparentShowcase, ControlsOverTheBackground)
{
    TTransparentControl records[TransparentShowcaseControls];
    HWND parent = OpenTransparentShowcase(records);
    ASSERT_NE(nullptr, parent);
    for (const TTransparentControl& record : records) ASSERT_NE(nullptr, record.hwnd); // every control bound
    RECT client;
    GetClientRect(parent, &client);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_TRUE(WaitUntil([&] { return WindowPixel(parent, client.right - 1, client.bottom - 1) == face; }, 5000,
                          "the logo's corner painted in the face colour"));
    EXPECT_EQ(face, WindowPixel(parent, client.right - 1, client.bottom - 1));
    DestroyWindow(parent);
}
