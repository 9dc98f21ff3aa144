// TElementGroup: construction, the docking measure and placement, and passing operations on.
#include "controls/ElementGroup.h"

#include "foundation/DisplayText.h"
#include "foundation/RegistrySection.h"
#include "foundation/ScreenScale.h"
#include "framework/Shape.h"
#include "framework/TransparentButton.h"
#include "framework/TransparentControls.h"

#define VANTRY_GROUP_ARGUMENTS(first)  \
    va_list rest;                      \
    va_start(rest, first);             \
    AppendArguments(first, rest);      \
    va_end(rest)

TElementGroup::TElementGroup(TElement* const* children)
    : TElementGroup(DockFill, AlignCentred, 0, 0, nullptr, children) {}
TElementGroup::TElementGroup(const char* caption, TElement* const* children)
    : TElementGroup(DockFill, AlignCentred, 0, 0, caption, children) {}
TElementGroup::TElementGroup(int horizontalSpacing, int verticalSpacing, TElement* const* children)
    : TElementGroup(DockFill, AlignCentred, horizontalSpacing, verticalSpacing, nullptr, children) {}
TElementGroup::TElementGroup(int horizontalSpacing, int verticalSpacing, const char* caption,
                             TElement* const* children)
    : TElementGroup(DockFill, AlignCentred, horizontalSpacing, verticalSpacing, caption, children) {}
TElementGroup::TElementGroup(TDockSide dock, TAlignment alignment, TElement* const* children)
    : TElementGroup(dock, alignment, 0, 0, nullptr, children) {}
TElementGroup::TElementGroup(TDockSide dock, TAlignment alignment, const char* caption,
                             TElement* const* children)
    : TElementGroup(dock, alignment, 0, 0, caption, children) {}
TElementGroup::TElementGroup(TDockSide dock, TAlignment alignment, int horizontalSpacing,
                             int verticalSpacing, TElement* const* children)
    : TElementGroup(dock, alignment, horizontalSpacing, verticalSpacing, nullptr, children) {}

TElementGroup::TElementGroup(TDockSide dock, TAlignment alignment, int horizontalSpacing,
                             int verticalSpacing, const char* caption, TElement* const* children)
    : TElement(dock, alignment)
{
    Init(horizontalSpacing, verticalSpacing, caption);
    AppendList(children);
}

TElementGroup::TElementGroup(TElement* first, ...) : TElement(DockFill, AlignCentred)
{
    Init(0, 0, nullptr);
    VANTRY_GROUP_ARGUMENTS(first);
}

TElementGroup::TElementGroup(const char* caption, TElement* first, ...) : TElement(DockFill, AlignCentred)
{
    Init(0, 0, caption);
    VANTRY_GROUP_ARGUMENTS(first);
}

TElementGroup::TElementGroup(int horizontalSpacing, int verticalSpacing, TElement* first, ...)
    : TElement(DockFill, AlignCentred)
{
    Init(horizontalSpacing, verticalSpacing, nullptr);
    VANTRY_GROUP_ARGUMENTS(first);
}

TElementGroup::TElementGroup(int horizontalSpacing, int verticalSpacing, const char* caption,
                             TElement* first, ...)
    : TElement(DockFill, AlignCentred)
{
    Init(horizontalSpacing, verticalSpacing, caption);
    VANTRY_GROUP_ARGUMENTS(first);
}

TElementGroup::TElementGroup(TDockSide dock, TAlignment alignment, TElement* first, ...)
    : TElement(dock, alignment)
{
    Init(0, 0, nullptr);
    VANTRY_GROUP_ARGUMENTS(first);
}

TElementGroup::TElementGroup(TDockSide dock, TAlignment alignment, const char* caption,
                             TElement* first, ...)
    : TElement(dock, alignment)
{
    Init(0, 0, caption);
    VANTRY_GROUP_ARGUMENTS(first);
}

TElementGroup::TElementGroup(TDockSide dock, TAlignment alignment, int horizontalSpacing,
                             int verticalSpacing, TElement* first, ...)
    : TElement(dock, alignment)
{
    Init(horizontalSpacing, verticalSpacing, nullptr);
    VANTRY_GROUP_ARGUMENTS(first);
}

TElementGroup::TElementGroup(TDockSide dock, TAlignment alignment, int horizontalSpacing,
                             int verticalSpacing, const char* caption, TElement* first, ...)
    : TElement(dock, alignment)
{
    Init(horizontalSpacing, verticalSpacing, caption);
    VANTRY_GROUP_ARGUMENTS(first);
}

#undef VANTRY_GROUP_ARGUMENTS

TElementGroup::~TElementGroup() = default;

void TElementGroup::Init(int horizontal, int vertical, const char* text)
{
    horizontalSpacing = horizontal;
    verticalSpacing = vertical;
    frame = nullptr;
    measured = SIZE{0, 0};
    SetCaption(text);
}

void TElementGroup::SetCaption(const char* text)
{
    caption = (text && *text) ? DisplayText(text) : THeapString();
}

void TElementGroup::Append(TElement* child)
{
    if (child) children.push_back(child);
}

void TElementGroup::AppendList(TElement* const* list)
{
    for (; list && *list; ++list) children.push_back(*list);
}

void TElementGroup::AppendArguments(TElement* first, va_list rest)
{
    for (TElement* child = first; child; child = va_arg(rest, TElement*)) children.push_back(child);
}

void TElementGroup::RemoveAll()
{
    children.clear();
    paddedSizes.clear();
    positions.clear();
}

void TElementGroup::SetSpacing(int x, int y)
{
    horizontalSpacing = x;
    verticalSpacing = y;
}

SIZE TElementGroup::Measure(TShape* shape, HDC dc)
{
    if (!caption.IsEmpty() && shape) shape->RegisterCaption(&caption);
    const SIZE spacing = Scaled(SIZE{horizontalSpacing, verticalSpacing});
    paddedSizes.assign(children.size(), SIZE{0, 0});
    positions.assign(children.size(), POINT{0, 0});
    for (size_t i = 0; i < children.size(); ++i) {
        SIZE size = children[i]->Measure(shape, dc);
        // Empty children take neither room nor spacing.
        if (size.cx * size.cy > 0) {
            size.cx += spacing.cx;
            size.cy += spacing.cy;
        }
        paddedSizes[i] = size;
    }
    SIZE total = TotalSize();
    LayOut(total);
    // A group with nothing in it would otherwise come out negative and still look non-empty.
    measured.cx = total.cx > spacing.cx ? total.cx - spacing.cx : 0;
    measured.cy = total.cy > spacing.cy ? total.cy - spacing.cy : 0;
    if (!caption.IsEmpty()) {
        measured.cx += Scaled(FrameExtraWidth);
        measured.cy += Scaled(FrameExtraHeight);
        // The frame's caption is cut by its own end: as wide as the caption with its indent on both sides.
        const int captionEnd = 2 * Scaled(TTransparentButton::GroupCaptionIndent) + MeasureCaption(shape, dc, caption).cx;
        if (measured.cx < captionEnd) measured.cx = captionEnd;
    }
    return measured;
}

// From the last child to the first: a fill child discards what the later ones added.
SIZE TElementGroup::TotalSize() const
{
    SIZE total{0, 0};
    for (size_t i = children.size(); i-- > 0;) {
        const SIZE& size = paddedSizes[i];
        switch (children[i]->dock) {
        case DockLeft:
        case DockRight:
            total.cx += size.cx;
            if (size.cy > total.cy) total.cy = size.cy;
            break;
        case DockTop:
        case DockBottom:
            total.cy += size.cy;
            if (size.cx > total.cx) total.cx = size.cx;
            break;
        default:
            total = size;
            break;
        }
    }
    return total;
}

namespace {

POINT AlignInStrip(const RECT& strip, SIZE size, int alignment)
{
    int freeX = (strip.right - strip.left + 1) - size.cx;
    int freeY = (strip.bottom - strip.top + 1) - size.cy;
    POINT at{strip.left + freeX / 2, strip.top + freeY / 2};
    switch (alignment) {
    case AlignLeftCentred: at.x = strip.left; break;
    case AlignRightCentred: at.x = strip.right - size.cx + 1; break;
    case AlignTopCentred: at.y = strip.top; break;
    case AlignBottomCentred: at.y = strip.bottom - size.cy + 1; break;
    default: break;
    }
    return at;
}

} // namespace

// From the first child to the last, each takes its strip from the free area (inclusive edges).
void TElementGroup::LayOut(SIZE total)
{
    RECT area{0, 0, total.cx - 1, total.cy - 1};
    for (size_t i = 0; i < children.size(); ++i) {
        const SIZE& size = paddedSizes[i];
        RECT strip = area;
        switch (children[i]->dock) {
        case DockLeft:
            strip.right = area.left + size.cx - 1;
            area.left += size.cx;
            break;
        case DockRight:
            strip.left = area.right - size.cx + 1;
            area.right -= size.cx;
            break;
        case DockTop:
            strip.bottom = area.top + size.cy - 1;
            area.top += size.cy;
            break;
        case DockBottom:
            strip.top = area.bottom - size.cy + 1;
            area.bottom -= size.cy;
            break;
        default:
            area = RECT{area.left, area.top, area.left - 1, area.top - 1};
            break;
        }
        positions[i] = AlignInStrip(strip, size, children[i]->alignment);
    }
}

void TElementGroup::Place(TShape* shape, int x, int y)
{
    frame = nullptr;
    if (!caption.IsEmpty() && shape) {
        RegisterTransparentClasses();
        frame = CreateWindowExA(0, "TransparentButton", caption, WS_CHILD | WS_VISIBLE | BS_GROUPBOX,
                                x, y, measured.cx, measured.cy, shape->Handle(),
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(-1)),
                                TWindow::ModuleInstance(), nullptr);
        x += Scaled(FrameInset);
        y += Scaled(FrameInset);
    }
    origin = POINT{x, y};
    for (size_t i = 0; i < children.size(); ++i)
        children[i]->Place(shape, x + positions[i].x, y + positions[i].y);
    // The frame goes under the controls it surrounds.
    if (frame) SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool TElementGroup::PlacementOf(const TElement* element, POINT& at) const
{
    for (size_t i = 0; i < children.size() && i < positions.size(); ++i) {
        if (children[i] == element) {
            at = POINT{origin.x + positions[i].x, origin.y + positions[i].y};
            return true;
        }
        const auto* group = dynamic_cast<const TElementGroup*>(children[i]);
        if (group && group->PlacementOf(element, at)) return true;
    }
    return false;
}

void TElementGroup::PassKey(TRegistryStore& key, bool save)
{
    if (name.IsEmpty()) {
        for (TElement* child : children) save ? child->Save(key) : child->Load(key);
        return;
    }
    TRegistrySection section(key, name, save ? CreateMissing : OpenExisting);
    for (TElement* child : children) save ? child->Save(section.Store()) : child->Load(section.Store());
}

void TElementGroup::Save(TRegistryStore& key) { PassKey(key, true); }
void TElementGroup::Load(TRegistryStore& key) { PassKey(key, false); }

void TElementGroup::Ended(int resultCode)
{
    for (TElement* child : children) child->Ended(resultCode);
}

void TElementGroup::Paint(TShape* shape, HDC dc)
{
    for (TElement* child : children) child->Paint(shape, dc);
}

template <typename Call>
bool TElementGroup::FirstChildHandling(Call call) const
{
    for (TElement* child : children)
        if (call(*child)) return true;
    return false;
}

bool TElementGroup::Command(int id, HWND window, int code)
{
    return FirstChildHandling([&](TElement& child) { return child.Command(id, window, code); });
}

bool TElementGroup::ContextMenu(HWND window, int x, int y)
{
    return FirstChildHandling([&](TElement& child) { return child.ContextMenu(window, x, y); });
}

bool TElementGroup::Notify(int id, NMHDR* header)
{
    return FirstChildHandling([&](TElement& child) { return child.Notify(id, header); });
}

bool TElementGroup::HScroll(HWND bar, int code, int position)
{
    return FirstChildHandling([&](TElement& child) { return child.HScroll(bar, code, position); });
}

void TElementGroup::Enable(bool enabled)
{
    for (TElement* child : children) child->Enable(enabled);
}

void TElementGroup::RefreshFromData()
{
    for (TElement* child : children) child->RefreshFromData();
}

void TElementGroup::RefreshToData()
{
    for (TElement* child : children) child->RefreshToData();
}
