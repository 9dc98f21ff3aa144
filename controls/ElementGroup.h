// TElementGroup: the element that docks its children into strips, optionally inside a caption frame.
#pragma once

#include <cstdarg>
#include <vector>

#include "controls/Element.h"

class TElementGroup : public TElement {
public:
    // Children come as a null-terminated array or a null-terminated argument list; the group
    // does not own them. Dock side and alignment default to fill/centred, spacing to 0.
    explicit TElementGroup(TElement* const* children = nullptr);
    TElementGroup(const char* caption, TElement* const* children);
    TElementGroup(int horizontalSpacing, int verticalSpacing, TElement* const* children);
    TElementGroup(int horizontalSpacing, int verticalSpacing, const char* caption, TElement* const* children);
    TElementGroup(TDockSide dock, TAlignment alignment, TElement* const* children);
    TElementGroup(TDockSide dock, TAlignment alignment, const char* caption, TElement* const* children);
    TElementGroup(TDockSide dock, TAlignment alignment, int horizontalSpacing, int verticalSpacing,
                  TElement* const* children);
    TElementGroup(TDockSide dock, TAlignment alignment, int horizontalSpacing, int verticalSpacing,
                  const char* caption, TElement* const* children);
    TElementGroup(TElement* first, ...);
    TElementGroup(const char* caption, TElement* first, ...);
    TElementGroup(int horizontalSpacing, int verticalSpacing, TElement* first, ...);
    TElementGroup(int horizontalSpacing, int verticalSpacing, const char* caption, TElement* first, ...);
    TElementGroup(TDockSide dock, TAlignment alignment, TElement* first, ...);
    TElementGroup(TDockSide dock, TAlignment alignment, const char* caption, TElement* first, ...);
    TElementGroup(TDockSide dock, TAlignment alignment, int horizontalSpacing, int verticalSpacing,
                  TElement* first, ...);
    TElementGroup(TDockSide dock, TAlignment alignment, int horizontalSpacing, int verticalSpacing,
                  const char* caption, TElement* first, ...);
    ~TElementGroup() override;

    void Append(TElement* child);
    void AppendList(TElement* const* children);        // null-terminated
    void AppendArguments(TElement* first, va_list rest); // null-terminated
    void RemoveAll();
    int ChildCount() const { return static_cast<int>(children.size()); }
    TElement* Child(int index) const { return children[index]; }
    // Where the last measuring put the child, relative to the group's content origin.
    POINT ChildPosition(int index) const { return positions[index]; }
    // Where the last placing put `element`, a child of this group or of a group inside it, in
    // the shape's client coordinates; false when it is not among them.
    bool PlacementOf(const TElement* element, POINT& at) const;
    void SetCaption(const char* text);
    const THeapString& Caption() const { return caption; }
    HWND Frame() const { return frame; }

    void Save(TRegistryStore& key) override;
    void Load(TRegistryStore& key) override;
    void SetSpacing(int x, int y) override;
    SIZE Measure(TShape* shape, HDC dc) override;
    void Place(TShape* shape, int x, int y) override;
    void Ended(int resultCode) override;
    void Paint(TShape* shape, HDC dc) override;
    bool Command(int id, HWND window, int code) override;
    bool ContextMenu(HWND window, int x, int y) override;
    bool Notify(int id, NMHDR* header) override;
    bool HScroll(HWND bar, int code, int position) override;
    void Enable(bool enabled) override;
    void RefreshFromData() override;
    void RefreshToData() override;

    // Lengths at 96 DPI, as the spacings are: a caption's frame around the content.
    static const int FrameExtraWidth = 36;
    static const int FrameExtraHeight = 26;
    static const int FrameInset = 18;

private:
    void Init(int horizontalSpacing, int verticalSpacing, const char* caption);
    SIZE TotalSize() const;
    void LayOut(SIZE total);
    void PassKey(TRegistryStore& key, bool save);
    // Offers a message to the children in order until one handles it.
    template <typename Call> bool FirstChildHandling(Call call) const;

    int horizontalSpacing;
    int verticalSpacing;
    THeapString caption; // already display text; empty means no frame
    HWND frame;          // borrowed: a child of the shape, destroyed with it
    SIZE measured;
    POINT origin = {0, 0}; // where the last placing put the children's origin
    std::vector<TElement*> children; // borrowed: owned by whoever built the group
    std::vector<SIZE> paddedSizes;
    std::vector<POINT> positions;
};
