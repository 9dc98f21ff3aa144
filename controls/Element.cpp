// TElement: the do-nothing defaults of the element operations.
#include "controls/Element.h"

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
