// The progress bar: slices that join into the same pixels as one full repaint, and the suppressed erase.
#include <gtest/gtest.h>

#include <vector>

#include "controls/ProgressBarElement.h"
#include "framework/Shape.h"
#include "framework/ShapeLoops.h"
#include "support/ScreenPixels.h"

namespace {

// The bar's pixels as the screen shows them.
std::vector<COLORREF> Capture(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    std::vector<COLORREF> pixels = CapturePixels(dc, 0, 0, client.right, client.bottom);
    ReleaseDC(window, dc);
    return pixels;
}

// The rightmost column that holds the highlight colour, or -1.
int LastHatchedColumn(const std::vector<COLORREF>& pixels, int width)
{
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    int last = -1;
    for (size_t i = 0; i < pixels.size(); ++i)
        if (pixels[i] == highlight && static_cast<int>(i % width) > last) last = static_cast<int>(i % width);
    return last;
}

class TProgressShape {
public:
    TProgressShape() : bar(DockBottom, AlignCentred, 288, 18), shape(nullptr, "Progress", &bar, nullptr)
    {
        bar.suppressErase = 1;
        shape.ShowModeless(0);
        SetWindowPos(shape.Handle(), HWND_TOPMOST, 100, 100, 0, 0, SWP_NOSIZE);
        PumpPending();
    }
    ~TProgressShape()
    {
        DestroyWindow(shape.Handle());
        PumpPending();
    }
    TProgressBarElement bar;
    TShape shape;
};

} // namespace

TEST(ProgressBarElementTest, SlicesJoinIntoTheSamePixelsAsOneFullRepaint)
{
    TProgressShape progress;
    TProgressBarElement& bar = progress.bar;
    ASSERT_TRUE(bar.Window());
    bar.range = 100;
    for (int value : {10, 20, 30}) {
        bar.current = value;
        bar.Update(false);
    }
    EXPECT_EQ(30, bar.drawn);
    const std::vector<COLORREF> sliced = Capture(bar.Window());

    InvalidateRect(bar.Window(), nullptr, FALSE);
    UpdateWindow(bar.Window());
    const std::vector<COLORREF> whole = Capture(bar.Window());
    EXPECT_TRUE(sliced == whole);

    // Inner width 284: 30 % ends before column 2 + 85.
    const int last = LastHatchedColumn(whole, 288);
    EXPECT_GE(last, 2 + 85 - 2);
    EXPECT_LE(last, 2 + 85 - 1);

    // Steps narrower than a column paint nothing on their own, yet lose no column.
    bar.range = 1000;
    bar.current = 0;
    bar.Update(true);
    for (int value = 1; value <= 300; ++value) {
        bar.current = value;
        bar.Update(false);
    }
    EXPECT_TRUE(Capture(bar.Window()) == whole);
}

TEST(ProgressBarElementTest, LoweringPaintsNothingUntilTheNextFullRepaint)
{
    TProgressShape progress;
    TProgressBarElement& bar = progress.bar;
    bar.current = 60;
    bar.Update(true);
    const std::vector<COLORREF> high = Capture(bar.Window());
    bar.current = 20;
    bar.Update(false);
    EXPECT_TRUE(high == Capture(bar.Window()));
    // The suppressed erase leaves the hatch; the full repaint starts from the frame.
    EXPECT_EQ(0, SendMessageA(bar.Window(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(GetDC(nullptr)), 0));
    RECT client;
    GetClientRect(bar.Window(), &client);
    HDC dc = GetDC(bar.Window());
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    ReleaseDC(bar.Window(), dc);
    bar.Update(true);
    const int last = LastHatchedColumn(Capture(bar.Window()), 288);
    EXPECT_LE(last, 2 + 56);
    EXPECT_GE(last, 2 + 56 - 2);
}

TEST(ProgressBarElementTest, HatchDependsOnlyOnAbsoluteColumns)
{
    HDC screen = GetDC(nullptr);
    HDC a = CreateCompatibleDC(screen), b = CreateCompatibleDC(screen);
    HBITMAP bitmapA = CreateCompatibleBitmap(screen, 40, 10), bitmapB = CreateCompatibleBitmap(screen, 40, 10);
    HGDIOBJ oldA = SelectObject(a, bitmapA), oldB = SelectObject(b, bitmapB);
    RECT all{0, 0, 40, 10};
    FillRect(a, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FillRect(b, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawProgressHatch(a, 0, 40, 0, 10, RGB(0, 0, 0));
    DrawProgressHatch(b, 0, 7, 0, 10, RGB(0, 0, 0));
    DrawProgressHatch(b, 7, 23, 0, 10, RGB(0, 0, 0));
    DrawProgressHatch(b, 23, 40, 0, 10, RGB(0, 0, 0));
    int differences = 0, black = 0;
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 40; ++x) {
            const COLORREF pixel = GetPixel(a, x, y);
            differences += pixel != GetPixel(b, x, y);
            black += pixel == RGB(0, 0, 0);
            EXPECT_EQ((x + y) % 2 == 0, pixel == RGB(0, 0, 0)) << x << "," << y;
        }
    }
    EXPECT_EQ(0, differences);
    EXPECT_EQ(200, black);
    SelectObject(a, oldA);
    SelectObject(b, oldB);
    DeleteObject(bitmapA);
    DeleteObject(bitmapB);
    DeleteDC(a);
    DeleteDC(b);
    ReleaseDC(nullptr, screen);
}
