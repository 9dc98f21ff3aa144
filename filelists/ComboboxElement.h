// TOwnerDrawComboboxElement: an editable combo of a frame, an edit and a floating history list.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <vector>

#include "controls/Element.h"
#include "filelists/ComboEdit.h"
#include "filelists/ComboListItem.h"
#include "filelists/FloatComboList.h"
#include "foundation/HeapStringList.h"
#include "foundation/IconSource.h"
#include "framework/WindowBinding.h"

// The name is the value of the current text; a history name, when set, is the subkey that
// holds the history as "000000", "000001", ... (most recent first).
class TOwnerDrawComboboxElement : public TElement {
public:
    // A null default icon means the shell's plain document icon.
    TOwnerDrawComboboxElement(int dock, int width, const char* defaultText = "", TIconSource* defaultIcon = nullptr);
    ~TOwnerDrawComboboxElement() override;

    void Save(TRegistryStore& key) override;
    void Load(TRegistryStore& key) override;
    SIZE Measure(TShape* shape, HDC dc) override;
    void Place(TShape* shape, int x, int y) override;
    bool Command(int id, HWND window, int code) override;
    void Enable(bool enabled) override;
    void RefreshFromData() override;
    void RefreshToData() override;

    // A caption element left of the frame; a width of -1 takes its measured width.
    void SetCaption(TElement* element, int width = -1);
    void SetHistoryName(const char* subkey) { historyName = subkey; }
    void SetListHeight(int height) { listPart.listHeight = height; }

    // The text (null: the current one) moves to the front of the history; -1: no limit.
    void Remember(const char* text, int limit);
    void AddEntry(TIconSource* icon, const char* text);
    void ReplaceEntry(int index, TIconSource* icon, const char* text);

    const THeapString& Text() const { return text; }
    void SetText(const char* newText) { text = newText; }
    THeapStringList& History() { return history; }
    TIconSource* CurrentIcon() const { return currentIcon; }
    bool IconBelongsToText() const { return iconFollowsText; }

    HWND Frame() const { return frame; }
    HWND EditWindow() const { return editPart.edit; }
    HWND ListWindow() const { return listPart.list; }
    void OpenList();
    void CloseList();
    void ToggleList();
    bool IsListOpen() const { return listPart.IsOpen(); }

    static const char* const FrameClassName; // "VantryCombobox"
    // Lengths at 96 DPI: the frame's height, and the room for the icon at its left.
    static const int FrameHeight = 21;
    static const int IconRoom = 20;
    static LRESULT CALLBACK PreWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // The element's value changed through the user; derived fields follow it here.
    virtual void Changed();
    // The text becomes the current one and the edit's, taken as typed so it is not completed.
    void ShowText(const char* shown);
    // The icon becomes the current text's own (its file type's); the icon area is repainted.
    void SetCurrentIcon(TIconSource* icon);

private:
    static void RegisterFrameClass();
    LRESULT FrameProc(UINT message, WPARAM wParam, LPARAM lParam);
    void DestroyWindows();
    void PlaceEdit();
    void PaintFrame();
    void PaintFrame(HDC dc);
    RECT ButtonRect() const;
    void RedrawButton(bool pressed);
    void MouseDown(int x, int y);
    void MouseMove(int x, int y, WPARAM keys);
    void MouseUp();
    void DropFiles(HDROP drop);
    LRESULT MeasureItem(MEASUREITEMSTRUCT& item);
    LRESULT DrawItem(const DRAWITEMSTRUCT& item);

    void ListChosen();
    void EditNotified(int code);
    void CompleteFromHistory();
    void FollowSelection();
    void SetEditText(const char* shown);
    THeapString EditText() const;
    void FillList();

    TElement* caption = nullptr; // borrowed: the caller's element
    int captionWidth = -1;          // at 96 DPI, as the width
    int measuredCaptionWidth = 0;   // in pixels
    int width;
    SIZE frameSize = {0, 0};        // in pixels; set by measuring
    HWND frame = nullptr; // borrowed: a child of the shape, destroyed with it; bound by window long 0
    TComboEdit editPart;
    TFloatComboList listPart;
    THeapString text;
    THeapString defaultText;
    THeapString historyName;
    THeapStringList history;
    std::vector<std::unique_ptr<TComboListItem>> items; // owned: the list's item data
    TComboListItem* selectedItem = nullptr;             // borrowed from `items`
    TIconSource* currentIcon;                           // borrowed from the icon caches
    TIconSource* defaultIcon;                           // borrowed from the icon caches
    bool iconFollowsText = false;
    bool lastCompleted = false;
    THeapString previousText;
    bool buttonPressed = false;
    bool updatingEdit = false; // our own edit changes do not complete again

    using TFrameBinding = TLongZeroBinding<TOwnerDrawComboboxElement, &TOwnerDrawComboboxElement::frame>;
};
