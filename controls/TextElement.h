// TTextElement: a read-only, selectable message text over the shape's background.
#pragma once

#include "controls/Element.h"
#include "framework/TransparentControls.h"

class TTextElement : public TElement {
public:
    explicit TTextElement(const char* text, int dock = DockFill, int alignment = AlignCentred,
                          bool mayBeLow = false);
    ~TTextElement() override;

    void SetText(const char* text);
    const THeapString& Text() const { return text; }
    HWND Window() const { return window; }

    SIZE Measure(TShape* shape, HDC dc) override;
    void Place(TShape* shape, int x, int y) override;
    void Enable(bool enabled) override;

    static const int MinimumHeight = 32; // at 96 DPI: the height of the icon beside a message

private:
    unsigned char mayBeLow; // the element may be lower than MinimumHeight
    THeapString text;       // display text
    HWND window;            // borrowed: a child of the shape, destroyed with it
    TTransparentControl record; // bound to the window
    SIZE textSize;
    int elementHeight;
};
