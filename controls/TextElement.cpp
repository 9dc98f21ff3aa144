// TTextElement: measuring the multi-line text and creating its "TransparentEdit" window.
#include "controls/TextElement.h"

#include "foundation/DisplayText.h"
#include "foundation/ScreenScale.h"
#include "framework/Shape.h"

TTextElement::TTextElement(const char* text, int dock, int alignment, bool mayBeLow)
    : TElement(dock, alignment), mayBeLow(mayBeLow ? 1 : 0), window(nullptr), record(),
      textSize{0, 0}, elementHeight(0)
{
    SetText(text);
}

TTextElement::~TTextElement() = default;

void TTextElement::SetText(const char* newText)
{
    text = DisplayText(newText ? newText : "");
}

SIZE TTextElement::Measure(TShape*, HDC dc)
{
    RECT bounds{0, 0, 0, 0};
    DrawTextA(dc, text, -1, &bounds, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
    const int border = Scaled(2);
    textSize.cx = bounds.right - bounds.left + border;
    textSize.cy = bounds.bottom - bounds.top + border;
    elementHeight = textSize.cy;
    if (!mayBeLow && elementHeight < Scaled(MinimumHeight)) elementHeight = Scaled(MinimumHeight);
    return SIZE{textSize.cx, elementHeight};
}

void TTextElement::Place(TShape* shape, int x, int y)
{
    RegisterTransparentClasses();
    int id = shape->NextControlId();
    window = CreateWindowExA(0, "TransparentEdit", text,
                             WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOHSCROLL | ES_READONLY,
                             x, y + (elementHeight - textSize.cy) / 2, textSize.cx, textSize.cy,
                             shape->Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             TWindow::ModuleInstance(), nullptr);
    if (window) BindTransparentControl(window, &record);
}

void TTextElement::Enable(bool enabled)
{
    if (window) EnableWindow(window, enabled);
}
