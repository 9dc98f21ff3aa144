// TProgressBarElement: the library's own progress bar, a hatch filled in slices as progress goes on.
#pragma once

#include "controls/Element.h"
#include "framework/WindowBinding.h"

class TProgressBarElement : public TElement {
public:
    TProgressBarElement(int dock, int alignment, int width, int height);
    ~TProgressBarElement() override;

    SIZE Measure(TShape* shape, HDC dc) override;
    // Creates the "VantryProgressBar" window.
    void Place(TShape* shape, int x, int y) override;
    void Enable(bool enabled) override;
    void RefreshFromData() override; // repaints the whole bar

    // Paints on the window's DC: with `full` the frame and the bar from empty, else only the
    // slice between the drawn value and the current one. True when it painted: a slice
    // narrower than a pixel paints nothing.
    bool Update(bool full);
    // The window procedure of the bar's window once it is bound.
    virtual LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK PreWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND Window() const { return window; }

    int width;  // at 96 DPI
    int height;
    int range;     // the value that fills the bar; at least 1
    int current;   // 0 .. range; the owner writes it, then asks for an update
    int drawn;     // how far the bar is painted
    unsigned char suppressErase;

private:
    void Draw(HDC dc, bool full);
    // The inner area and the columns of the slice between the drawn and the current value.
    void SliceColumns(RECT& inner, int& from, int& to) const;

    HWND window; // borrowed: a child of the shape, destroyed with it; bound by window long 0
    using TBinding = TLongZeroBinding<TProgressBarElement, &TProgressBarElement::window>;
};

// The diagonal hatch of the bar over columns from .. to - 1 and rows top .. bottom - 1. Which
// diagonals are drawn depends only on the absolute coordinates, so slices join without a seam.
void DrawProgressHatch(HDC dc, int from, int to, int top, int bottom, COLORREF colour);
