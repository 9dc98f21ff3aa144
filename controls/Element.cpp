// TElement: the do-nothing defaults of the element operations, and measuring a caption.
#include "controls/Element.h"

#include "framework/AccessKeys.h"
#include "framework/Shape.h"

TElement::TElement(int dock, int alignment) : dock(dock), alignment(alignment)
{
}

TElement::~TElement() = default;

void TElement::Save(TRegistryStore&) {}
void TElement::Load(TRegistryStore&) {}
void TElement::SetSpacing(int, int) {}
void TElement::Ended(int) {}
void TElement::Paint(TShape*, HDC) {}
bool TElement::Command(int, HWND, int) { return false; }
bool TElement::ContextMenu(HWND, int, int) { return false; }
bool TElement::Notify(int, NMHDR*) { return false; }
bool TElement::HScroll(HWND, int, int) { return false; }
void TElement::Enable(bool) {}
void TElement::RefreshFromData() {}
void TElement::RefreshToData() {}

SIZE MeasureCaption(TShape* shape, HDC dc, const char* caption)
{
    if (!dc || !caption) return SIZE{0, 0};
    THeapString shown = AccessKeyMeasuringText(shape && shape->KeysAssigned(), caption);
    RECT bounds{0, 0, 0, 0};
    DrawTextA(dc, shown, -1, &bounds, DT_CALCRECT | DT_SINGLELINE);
    return SIZE{bounds.right - bounds.left, bounds.bottom - bounds.top};
}
