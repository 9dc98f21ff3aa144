// Small elements for tests of shapes and layout groups, and closing a shape as a user does.
#pragma once

#include <windows.h>

#include "controls/Element.h"
#include "controls/SystemIconElement.h"
#include "framework/Shape.h"
#include "framework/ShapeLoops.h"

// An element of a fixed size that remembers where it was placed and how the shape ended.
class TFixedElement : public TElement {
public:
    TFixedElement(int width, int height, int dock = DockFill, int alignment = AlignCentred)
        : TElement(dock, alignment), width(width), height(height) {}
    SIZE Measure(TShape*, HDC) override { return SIZE{width, height}; }
    void Place(TShape*, int x, int y) override { placedAt = POINT{x, y}; ++placeCount; }
    void Ended(int resultCode) override { endedWith = resultCode; ++endCount; }

    int width;
    int height;
    POINT placedAt{-1, -1};
    int placeCount = 0;
    int endedWith = -1;
    int endCount = 0;
};

// A show/hide listener that remembers what it was told last.
class TShownRecorder : public TSystemIconElement {
public:
    TShownRecorder() : TSystemIconElement(IconApplication) {}
    void ShownChanged(TShape*, bool shown) override { lastShown = shown ? 1 : 0; }

    int lastShown = -1;
};

// An element that creates one control of a given class and style with the next automatic id.
class TControlElement : public TElement {
public:
    TControlElement(const char* className, DWORD style, int width, int height, int id = 0,
                    const char* text = "")
        : TElement(DockTop, AlignLeftCentred), className(className), style(style), width(width),
          height(height), fixedId(id), text(text) {}
    SIZE Measure(TShape*, HDC) override { return SIZE{width, height}; }
    void Place(TShape* shape, int x, int y) override
    {
        int id = shape->NextControlId();
        if (fixedId) id = fixedId;
        window = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                                 shape->Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleA(nullptr), nullptr);
    }

    const char* className;
    DWORD style;
    int width;
    int height;
    int fixedId;
    const char* text;
    HWND window = nullptr;
};

// Destroys a shape's window and lets the modeless loop tear the shape down, as a user's close would.
inline void CloseShape(TShape& shape)
{
    if (shape.Handle()) DestroyWindow(shape.Handle());
    PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
    PumpPending();
}
