// TRadioGroupElement: the column layout, the buttons and frame, clicks, refreshing and the stored value.
#include "controls/RadioGroupElement.h"

#include <algorithm>
#include <cstdarg>

#include "controls/ElementGroup.h"
#include "foundation/DisplayText.h"
#include "foundation/ScreenScale.h"
#include "framework/Shape.h"
#include "framework/TransparentButton.h"

namespace {

const DWORD frameStyle = WS_CHILD | WS_GROUP | BS_GROUPBOX;
const DWORD itemStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_NOTIFY | BS_AUTORADIOBUTTON;

HMENU ControlId(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

int Sum(const std::vector<int>& values, int upTo)
{
    int total = 0;
    for (int i = 0; i < upTo && i < static_cast<int>(values.size()); ++i) total += values[i];
    return total;
}

} // namespace

TRadioItem::TRadioItem(int value, const char* captionText, TElement* companion)
    : value(value), caption(DisplayText(captionText ? captionText : "")), control(), companion(companion),
      companionSize{0, 0}
{
}

TRadioGroupElement::TRadioGroupElement(int defaultValue, TRadioItem* first, ...)
{
    Init(defaultValue);
    va_list rest;
    va_start(rest, first);
    for (TRadioItem* item = first; item; item = va_arg(rest, TRadioItem*)) items.push_back(item);
    va_end(rest);
}

TRadioGroupElement::TRadioGroupElement(int defaultValue, TRadioItem* const* list)
{
    Init(defaultValue);
    for (; list && *list; ++list) items.push_back(*list);
}

TRadioGroupElement::~TRadioGroupElement() = default;

void TRadioGroupElement::Init(int value)
{
    widthFollowsCaptions = 1;
    itemWidth = 148;
    frame = nullptr;
    selected = defaultValue = value;
    columns = 1;
    measured = SIZE{0, 0};
    item = SIZE{0, 0};
    enabled = true;
}

void TRadioGroupElement::SetFrameCaption(const char* text)
{
    frameCaption = (text && *text) ? DisplayText(text) : THeapString();
}

int TRadioGroupElement::Rows() const
{
    return items.empty() ? 0 : (ItemCount() - 1) / columns + 1;
}

void TRadioGroupElement::Save(TRegistryStore& key)
{
    if (!name.IsEmpty()) key.WriteDword(name, static_cast<DWORD>(selected));
    for (TRadioItem* item : items)
        if (item->companion) item->companion->Save(key);
}

void TRadioGroupElement::Load(TRegistryStore& key)
{
    DWORD value = 0;
    if (!name.IsEmpty()) selected = key.ReadDword(name, value) == ERROR_SUCCESS ? static_cast<int>(value) : defaultValue;
    for (TRadioItem* item : items)
        if (item->companion) item->companion->Load(key);
}

void TRadioGroupElement::MeasureCaptions(TShape* shape, HDC dc)
{
    if (shape && !frameCaption.IsEmpty()) shape->RegisterCaption(&frameCaption);
    SIZE widest{0, 0};
    for (TRadioItem* each : items) {
        if (shape) shape->RegisterCaption(&each->caption);
        const SIZE text = MeasureCaption(shape, dc, each->caption);
        widest.cx = std::max(widest.cx, text.cx);
        widest.cy = std::max(widest.cy, text.cy);
    }
    if (widthFollowsCaptions) itemWidth = widest.cx + Scaled(TTransparentButton::GlyphTextIndent);
    item.cx = widthFollowsCaptions ? itemWidth : Scaled(itemWidth);
    item.cy = std::max<LONG>(Scaled(ItemHeight), widest.cy);
}

// A companion sits under and right of its button: its row grows by its height and its column
// by what it needs beyond the item width, which also keeps the next column clear of it.
void TRadioGroupElement::MeasureCompanions(TShape* shape, HDC dc)
{
    columnExtra.assign(static_cast<size_t>(columns), 0);
    rowExtra.assign(static_cast<size_t>(Rows()), 0);
    for (int i = 0; i < ItemCount(); ++i) {
        TRadioItem& each = *items[i];
        if (!each.companion) continue;
        each.companionSize = each.companion->Measure(shape, dc);
        int& row = rowExtra[RowOf(i)];
        if (each.companionSize.cy > row) row = each.companionSize.cy;
        int& column = columnExtra[ColumnOf(i)];
        const int beyond = each.companionSize.cx + Scaled(CompanionOffset) - item.cx;
        if (beyond > column) column = beyond;
    }
}

SIZE TRadioGroupElement::Measure(TShape* shape, HDC dc)
{
    MeasureCaptions(shape, dc);
    MeasureCompanions(shape, dc);
    const int gap = Scaled(ColumnGap);
    measured.cx = columns * (item.cx + gap) - gap + Sum(columnExtra, columns);
    measured.cy = Rows() * item.cy + Sum(rowExtra, Rows());
    if (!frameCaption.IsEmpty()) {
        measured.cx += Scaled(TElementGroup::FrameExtraWidth);
        measured.cy += Scaled(TElementGroup::FrameExtraHeight);
    }
    return measured;
}

POINT TRadioGroupElement::ItemOrigin(int index) const
{
    const int column = ColumnOf(index), row = RowOf(index);
    return POINT{column * (item.cx + Scaled(ColumnGap)) + Sum(columnExtra, column), row * item.cy + Sum(rowExtra, row)};
}

void TRadioGroupElement::Place(TShape* shape, int x, int y)
{
    RegisterTransparentClasses();
    const bool visibleFrame = !frameCaption.IsEmpty();
    frame = CreateWindowExA(0, "TransparentButton", frameCaption, frameStyle | (visibleFrame ? WS_VISIBLE : 0), x, y,
                            measured.cx, measured.cy, shape->Handle(), ControlId(-1), TWindow::ModuleInstance(),
                            nullptr);
    if (visibleFrame) {
        x += Scaled(TElementGroup::FrameInset);
        y += Scaled(TElementGroup::FrameInset);
    }
    for (int i = 0; i < ItemCount(); ++i) {
        TRadioItem& each = *items[i];
        const POINT origin = ItemOrigin(i);
        const int left = x + origin.x, top = y + origin.y;
        HWND button = CreateWindowExA(0, "TransparentButton", each.caption, itemStyle, left, top, item.cx, item.cy,
                                      shape->Handle(), ControlId(shape->NextControlId()), TWindow::ModuleInstance(),
                                      nullptr);
        each.control.hwnd = button;
        if (button) BindTransparentControl(button, &each.control);
        const int offset = Scaled(CompanionOffset);
        if (each.companion) each.companion->Place(shape, left + offset, top + offset);
    }
    Select(selected);
    // Under the buttons, so that they stay clickable.
    if (frame && visibleFrame) SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TRadioGroupElement::Select(int value)
{
    selected = value;
    for (TRadioItem* item : items) {
        const bool chosen = item->value == value;
        if (item->control.hwnd)
            SendMessageA(item->control.hwnd, BM_SETCHECK, chosen ? BST_CHECKED : BST_UNCHECKED, 0);
        if (item->companion) item->companion->Enable(enabled && chosen);
    }
}

void TRadioGroupElement::Ended(int resultCode)
{
    for (TRadioItem* item : items)
        if (item->companion) item->companion->Ended(resultCode);
}

// Notifications other than a click (BS_NOTIFY sends double clicks and focus changes) are consumed.
bool TRadioGroupElement::Command(int id, HWND window, int code)
{
    for (TRadioItem* item : items) {
        if (!window || item->control.hwnd != window) continue;
        if (code == BN_CLICKED && item->value != selected) Select(item->value);
        return true;
    }
    for (TRadioItem* item : items)
        if (item->companion && item->companion->Command(id, window, code)) return true;
    return false;
}

void TRadioGroupElement::Enable(bool flag)
{
    enabled = flag;
    for (TRadioItem* item : items) {
        if (item->control.hwnd) EnableWindow(item->control.hwnd, flag);
        if (item->companion) item->companion->Enable(flag && item->value == selected);
    }
}

void TRadioGroupElement::RefreshFromData()
{
    for (TRadioItem* item : items)
        if (item->companion) item->companion->RefreshFromData();
    Select(selected);
}

void TRadioGroupElement::RefreshToData()
{
    for (TRadioItem* item : items) {
        if (item->control.hwnd && SendMessageA(item->control.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED) {
            selected = item->value;
            break;
        }
    }
    for (TRadioItem* item : items)
        if (item->companion) item->companion->RefreshToData();
}
