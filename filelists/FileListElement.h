// TFileListElement: an owner-drawn list of paths with their file-type icons, on the "FileList" class.
#pragma once

#include <memory>
#include <vector>

#include "controls/ListElement.h"
#include "filelists/ComboListItem.h"
#include "filelists/LineTip.h"
#include "framework/WindowBinding.h"

class TFileListElement : public TListElement {
public:
    // `fixedIcon` (borrowed, from the icon caches) is shown for every entry; null shows each
    // entry's file-type icon.
    TFileListElement(int dock, int width, int height, THeapStringList* items, THeapString* selectedText,
                     TIconSource* fixedIcon = nullptr);
    ~TFileListElement() override;

    static const char* const ClassName; // "FileList"
    static LRESULT CALLBACK PreWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    void Place(TShape* shape, int x, int y) override;
    void Enable(bool enabled) override;
    void RefreshFromData() override;
    void RefreshToData() override;

    // Appends every path (made full) with the plain progress window; duplicates are kept.
    void AddPaths(const THeapStringList& paths);
    void AddPath(const char* path, TIconSource* icon);
    void ReplacePath(int index, const char* path, TIconSource* icon);

    // The owner-drawn item messages of the list box, reflected to it by its shape.
    bool MeasureItem(MEASUREITEMSTRUCT& item);
    bool DrawItem(const DRAWITEMSTRUCT& item);

    HWND List() const { return window; }
    const TLineTip& LineTip() const { return lineTip; }
    int DisplayCount() const { return static_cast<int>(display.size()); }

protected:
    // Called after every change of the list or of the selection.
    virtual void Changed();
    // The list box's messages before the system list box; true when handled.
    virtual bool ListMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void CreateList(TShape* shape, int x, int y);
    // The selected text and current item follow the list box's selection.
    void FollowSelection();
    // After the system list box handled a message that may have moved its selection, whoever
    // moved it: the user, the program (LB_SETCURSEL) or a refresh.
    virtual void SelectionMoved();
    int LineOf(const TComboListItem* item) const;
    void DeleteLine(int index); // entry, display item and list box line at list index
    HWND ShapeWindow() const;

    // A batch (adding many paths, or a command that scans folders or opens a dialog) runs on
    // this list and lets the message queue have its turn: the user's commands wait for none.
    bool Busy() const { return batches > 0; }
    class TBusy {
    public:
        explicit TBusy(TFileListElement& list) : list(list) { ++list.batches; }
        ~TBusy() { --list.batches; }
        TBusy(const TBusy&) = delete;
        TBusy& operator=(const TBusy&) = delete;

    private:
        TFileListElement& list;
    };

    TShape* shape = nullptr;               // borrowed: set when placed
    UINT controlId = 0;                    // the list box's id in the shape, 0 before placing
    TIconSource* fixedIcon;                // borrowed: the icon caches keep it
    // Owned, in list order. An item's icon is the fixed icon, or null until the line is first
    // drawn and takes its file-type icon.
    std::vector<std::unique_ptr<TComboListItem>> display;
    TComboListItem* current = nullptr;     // borrowed: one of `display`, or null

private:
    using TListClass = TBoundSuperclass<TListElement, &TFileListElement::window>;
    static TListClass superclass; // "FileList": binds the element by the appended long

    bool Reflected(TReflected& reflected);
    static bool MayMoveSelection(UINT message);
    void MeasureGap();
    void InsertLine(TComboListItem* item, HDC dc); // dc: the list font selected
    // Entry, display item and line together, so they never part.
    void AppendLine(const char* path, HDC dc);

    TLineTip lineTip; // the whole path of a line drawn cut, while the mouse rests on it
    int batches = 0;  // TBusy scopes open on this list
    static int gap; // half a full-width character in the list font, measured before each pass
};
