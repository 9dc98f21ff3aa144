// Transparent controls: the system class before binding, no erasing after it, halo text,
// button drawing with the default frame, and a window showing them over the background.
#include "framework/HaloText.h"
#include "framework/TransparentButton.h"
#include "framework/TransparentControls.h"

#include "foundation/IconCache.h"
#include "foundation/WindowBackground.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

const COLORREF untouched = RGB(255, 0, 255);

// A screen-compatible memory DC filled with `untouched`.
class TCanvas {
public:
    TCanvas(int width, int height)
    {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        previous = SelectObject(dc, bitmap);
        RECT all = {0, 0, width, height};
        HBRUSH brush = CreateSolidBrush(untouched);
        FillRect(dc, &all, brush);
        DeleteObject(brush);
    }
    ~TCanvas()
    {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    HDC dc;

private:
    HBITMAP bitmap;
    HGDIOBJ previous;
};

// A parent that paints the shared background and hands owner-drawn buttons to the library.
LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        EnsureClientBackground()->PaintBackground(dc, client, paint.rcPaint);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_DRAWITEM:
        return DrawTransparentPushButton(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateParent(const char* title, int width, int height)
{
    WNDCLASSA description = {};
    description.lpfnWndProc = &ParentProc;
    description.hInstance = GetModuleHandleA(nullptr);
    description.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    description.lpszClassName = "TransparentTestParent";
    RegisterClassA(&description); // a second registration fails harmlessly
    return CreateWindowExA(0, "TransparentTestParent", title, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS, 40, 40,
                           width, height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

HWND CreateControl(HWND parent, const char* className, const char* text, DWORD style, int x, int y, int width,
                   int height, int id)
{
    HWND control = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                                   nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    return control;
}

void Pump(DWORD milliseconds)
{
    const DWORD end = GetTickCount() + milliseconds;
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    } while (static_cast<int>(end - GetTickCount()) > 0);
}

class TransparentControls : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterTransparentClasses();
        parent = CreateParent("Transparent controls", 360, 260);
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
    TCanvas before(100, 40);
    // Unbound, the system class answers that it erased.
    EXPECT_NE(0, SendMessageA(label, WM_ERASEBKGND, reinterpret_cast<WPARAM>(before.dc), 0));

    TTransparentControl record;
    ASSERT_TRUE(BindTransparentControl(label, &record));
    TCanvas after(100, 40);
    EXPECT_EQ(0, SendMessageA(label, WM_ERASEBKGND, reinterpret_cast<WPARAM>(after.dc), 0));
    EXPECT_EQ(untouched, GetPixel(after.dc, 5, 5));

    HWND button = CreateControl(parent, "TransparentButton", "Box", BS_AUTOCHECKBOX, 10, 40, 80, 18, 101);
    TTransparentControl buttonRecord;
    ASSERT_TRUE(BindTransparentControl(button, &buttonRecord));
    EXPECT_EQ(0, SendMessageA(button, WM_ERASEBKGND, reinterpret_cast<WPARAM>(after.dc), 0));
    EXPECT_EQ(untouched, GetPixel(after.dc, 5, 5));
}

TEST(HaloText, RimOfTwoPixelsInTheBackgroundColour)
{
    TCanvas canvas(120, 40);
    HGDIOBJ previous = SelectObject(canvas.dc, GetStockObject(DEFAULT_GUI_FONT));
    SetTextColor(canvas.dc, RGB(0, 0, 0));
    SetBkColor(canvas.dc, RGB(255, 255, 255));
    DrawHaloText(canvas.dc, 20, 10, true, "I&I");
    SelectObject(canvas.dc, previous);
    // Column extents of the text and of its rim.
    int textLeft = 1000, rimLeft = 1000, textTop = 1000, rimTop = 1000;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 120; ++x) {
            const COLORREF pixel = GetPixel(canvas.dc, x, y);
            if (pixel == RGB(0, 0, 0)) textLeft = std::min(textLeft, x), textTop = std::min(textTop, y);
            if (pixel == RGB(255, 255, 255)) rimLeft = std::min(rimLeft, x), rimTop = std::min(rimTop, y);
        }
    }
    ASSERT_LT(textLeft, 1000);
    EXPECT_EQ(textLeft - 2, rimLeft);
    EXPECT_EQ(textTop - 2, rimTop);
    EXPECT_EQ(untouched, GetPixel(canvas.dc, 0, 0)); // transparent: nothing else is filled
}

TEST_F(TransparentControls, DefaultFrameShowsUnlessSuppressed)
{
    HWND button = CreateControl(parent, "TransparentPushButton", "OK", BS_OWNERDRAW, 10, 10, 88, 24, 1);
    TTransparentControl record;
    record.isDefault = true;
    ASSERT_TRUE(BindTransparentControl(button, &record));
    EXPECT_TRUE(IsTransparentDefaultButton(button));
    SetFocus(parent);

    TCanvas framed(88, 24);
    TTransparentButton::DrawButton(button, framed.dc, true, false, false, false, false);
    EXPECT_EQ(RGB(0, 0, 0), GetPixel(framed.dc, 0, 0));
    EXPECT_EQ(RGB(0, 0, 0), GetPixel(framed.dc, 87, 23));

    TCanvas plain(88, 24);
    TTransparentButton::DrawButton(button, plain.dc, true, false, false, false, true);
    EXPECT_NE(RGB(0, 0, 0), GetPixel(plain.dc, 0, 0));
    EXPECT_NE(untouched, GetPixel(plain.dc, 40, 2)); // the face is painted

    record.isDefault = false;
    EXPECT_FALSE(IsTransparentDefaultButton(button));
    TCanvas ordinary(88, 24);
    TTransparentButton::DrawButton(button, ordinary.dc, true, false, false, false, false);
    EXPECT_NE(RGB(0, 0, 0), GetPixel(ordinary.dc, 0, 0));
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
    SetFocus(edit);
    Pump(200);
    auto cornerOf = [](HWND button) {
        HDC dc = GetDC(button);
        const COLORREF pixel = GetPixel(dc, 0, 0);
        ReleaseDC(button, dc);
        return pixel;
    };
    EXPECT_EQ(RGB(0, 0, 0), cornerOf(ok));
    EXPECT_NE(RGB(0, 0, 0), cornerOf(cancel));
    SetFocus(cancel);
    Pump(200);
    EXPECT_NE(RGB(0, 0, 0), cornerOf(ok));
    EXPECT_EQ(RGB(0, 0, 0), cornerOf(cancel));
    SetFocus(edit);
    Pump(200);
    EXPECT_EQ(RGB(0, 0, 0), cornerOf(ok));
    EXPECT_NE(RGB(0, 0, 0), cornerOf(cancel));
}

TEST_F(TransparentControls, CheckBoxesAndRadiosDrawTheirGlyph)
{
    const DWORD styles[] = {BS_AUTOCHECKBOX, BS_AUTORADIOBUTTON, BS_AUTO3STATE};
    for (DWORD style : styles) {
        HWND button = CreateControl(parent, "TransparentButton", "Glyph", style, 10, 10, 100, 18, 5000);
        TCanvas canvas(100, 18);
        TTransparentButton::DrawButton(button, canvas.dc, true, true, false, false, false);
        EXPECT_NE(untouched, GetPixel(canvas.dc, 6, 9)) << "style " << style;  // inside the 13 x 13 box
        EXPECT_EQ(untouched, GetPixel(canvas.dc, 15, 1)) << "style " << style; // between glyph and text
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

// Shows every kind over the background picture. KELVANE_SHOWCASE_MS keeps it on screen
// longer, for a screenshot.
TEST(TransparentShowcase, ControlsOverTheBackground)
{
    RegisterTransparentClasses();
    HWND parent = CreateParent("Kelvane", 420, 300);
    ASSERT_NE(nullptr, parent);
    TTransparentControl records[10];
    HWND controls[] = {
        CreateControl(parent, "TransparentButton", "Group (&G)", BS_GROUPBOX, 10, 8, 390, 130, -1),
        CreateControl(parent, "TransparentStatic", "File name (&F):", 0, 24, 30, 100, 16, 5000),
        CreateControl(parent, "TransparentEdit", "Read-only text\r\n\tover the picture", ES_MULTILINE | ES_READONLY,
                      130, 28, 200, 34, 5001),
        CreateControl(parent, "TransparentButton", "Check box (&C)", BS_AUTOCHECKBOX | WS_TABSTOP, 24, 70, 140, 18,
                      5002),
        CreateControl(parent, "TransparentButton", "Radio (&R)", BS_AUTORADIOBUTTON | WS_TABSTOP, 24, 96, 140, 18, 5003),
        CreateControl(parent, "TransparentStatic", "Disabled label", 0, 200, 96, 120, 16, 5004),
        CreateControl(parent, "TransparentPushButton", "OK", BS_OWNERDRAW | WS_TABSTOP, 10, 150, 88, 24, 1),
        CreateControl(parent, "TransparentPushButton", "Cancel", BS_OWNERDRAW | WS_TABSTOP, 104, 150, 88, 24, 2),
        CreateControl(parent, "TransparentPushButton", "Play", BS_OWNERDRAW | WS_TABSTOP | WS_DISABLED, 198, 150, 88,
                      24, 202),
        CreateControl(parent, "TransparentStatic", "Halo over the logo", 0, 296, 236, 110, 16, 5005),
    };
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(BindTransparentControl(controls[i], &records[i]));
    records[6].isDefault = true;
    SendMessageA(controls[3], BM_SETCHECK, BST_CHECKED, 0);
    EnableWindow(controls[5], FALSE);
    const char* icons[] = {"OK_ICON", "CANCEL_ICON", "PLAY_ICON"};
    for (int i = 0; i < 3; ++i) {
        HICON icon = IconByName(icons[i])->Get(0);
        SendMessageA(controls[6 + i], WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    ShowWindow(parent, SW_SHOW);
    UpdateWindow(parent);
    const char* hold = std::getenv("KELVANE_SHOWCASE_MS");
    Pump(hold ? static_cast<DWORD>(std::atoi(hold)) : 300);

    // The logo shows through in the bottom-right corner of the client area.
    HDC dc = GetDC(parent);
    RECT client;
    GetClientRect(parent, &client);
    const COLORREF corner = GetPixel(dc, client.right - 1, client.bottom - 1);
    ReleaseDC(parent, dc);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), corner);
    DestroyWindow(parent);
}
