// TCheckBoxElement: the box and its companion's layout, the click, enabling and the stored 0/1 value.
#include "controls/CheckBoxElement.h"

#include <algorithm>

#include "foundation/DisplayText.h"
#include "foundation/ScreenScale.h"
#include "framework/Shape.h"
#include "framework/TransparentButton.h"

namespace {

const DWORD checkBoxStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
const int captionWidthDefault = 148;

} // namespace

TCheckBoxElement::TCheckBoxElement(int dock, const char* captionText, bool isChecked, TElement* companion)
    : TCheckBoxElement(dock, captionWidthDefault, captionText, isChecked, companion)
{
    widthFollowsCaption = 1;
}

TCheckBoxElement::TCheckBoxElement(int dock, int fixedWidth, const char* captionText, bool isChecked,
                                   TElement* companion)
    : TElement(dock, AlignCentred), caption(DisplayText(captionText ? captionText : "")), control(),
      checked(isChecked ? 1 : 0), defaultChecked(isChecked ? 1 : 0), widthFollowsCaption(0),
      companion(companion), width(fixedWidth), box{0, 0}, companionSize{0, 0}
{
}

TCheckBoxElement::~TCheckBoxElement() = default;

void TCheckBoxElement::Save(TRegistryStore& key)
{
    if (!name.IsEmpty()) key.WriteDword(name, checked ? 1 : 0);
    if (companion) companion->Save(key);
}

void TCheckBoxElement::Load(TRegistryStore& key)
{
    DWORD value = 0;
    if (!name.IsEmpty() && key.ReadDword(name, value) == ERROR_SUCCESS)
        checked = value != 0;
    else
        checked = defaultChecked;
    if (companion) companion->Load(key);
}

// The transparent button draws the text right of the glyph; the box is as high as the text needs.
SIZE TCheckBoxElement::Measure(TShape* shape, HDC dc)
{
    if (shape) shape->RegisterCaption(&caption);
    const SIZE text = MeasureCaption(shape, dc, caption);
    if (widthFollowsCaption) width = text.cx + Scaled(TTransparentButton::GlyphTextIndent);
    box.cx = widthFollowsCaption ? width : Scaled(width);
    box.cy = std::max<LONG>(Scaled(BoxHeight), text.cy);
    if (!companion) return box;
    companionSize = companion->Measure(shape, dc);
    if (CompanionBeside()) return SIZE{box.cx + Scaled(CompanionGap) + companionSize.cx, companionSize.cy};
    const int under = companionSize.cx + Scaled(CompanionIndent);
    return SIZE{std::max<LONG>(box.cx, under), box.cy + companionSize.cy + Scaled(CompanionGap)};
}

void TCheckBoxElement::Place(TShape* shape, int x, int y)
{
    RegisterTransparentClasses();
    const int id = shape->NextControlId();
    HWND window = CreateWindowExA(0, "TransparentButton", caption, checkBoxStyle, x, y, box.cx, box.cy,
                                  shape->Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  TWindow::ModuleInstance(), nullptr);
    control.hwnd = window;
    if (window) BindTransparentControl(window, &control);
    if (companion) {
        if (CompanionBeside())
            companion->Place(shape, x + box.cx + Scaled(CompanionGap), y);
        else
            companion->Place(shape, x + Scaled(CompanionIndent), y + box.cy);
        companion->Enable(checked != 0);
    }
    if (window) SendMessageA(window, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBoxElement::Ended(int resultCode)
{
    if (companion) companion->Ended(resultCode);
}

bool TCheckBoxElement::Command(int id, HWND window, int code)
{
    if (!window || window != control.hwnd) return companion ? companion->Command(id, window, code) : false;
    const unsigned char now = SendMessageA(window, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    if (now == checked) return true;
    checked = now;
    EnableCompanion(checked != 0);
    return true;
}

void TCheckBoxElement::EnableCompanion(bool enabled)
{
    if (companion) companion->Enable(enabled);
}

void TCheckBoxElement::Enable(bool enabled)
{
    if (control.hwnd) EnableWindow(control.hwnd, enabled);
    EnableCompanion(enabled && checked);
}

void TCheckBoxElement::RefreshFromData()
{
    if (control.hwnd) SendMessageA(control.hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (companion) companion->RefreshFromData();
}

void TCheckBoxElement::RefreshToData()
{
    if (control.hwnd) checked = SendMessageA(control.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    if (companion) companion->RefreshToData();
}
