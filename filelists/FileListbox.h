// TFileListbox: the file list with its Add / Delete / Folder buttons, right-click menu, keys and drops.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <vector>

#include "controls/ButtonRowElement.h"
#include "foundation/Handles.h"
#include "filelists/FileListElement.h"

class TOwnerDrawnMenu;

class TFileListbox : public TFileListElement {
public:
    // `filter` is an open-file dialog filter block of `filterSize` bytes (copied).
    TFileListbox(int dock, int width, int height, THeapStringList* items, THeapString* selectedText,
                 const char* filter, int filterSize, const char* defaultExtension);
    ~TFileListbox() override;

    SIZE Measure(TShape* shape, HDC dc) override;
    void Place(TShape* shape, int x, int y) override;
    bool Command(int id, HWND window, int code) override;
    bool ContextMenu(HWND window, int x, int y) override;
    void Enable(bool enabled) override;

    void Add();
    void Delete();
    void Folder();
    // The dropped names (folders expanded through the filter when there is one) appended.
    void TakeDrop(HDROP drop);

    void SetTitle(const char* text) { title = text; }
    TButtonDescriptor& AddButton() { return addButton; }
    TButtonDescriptor& DeleteButton() { return deleteButton; }
    TButtonDescriptor& FolderButton() { return folderButton; }
    HMENU Menu() const { return menu; }

    static const char* const FolderTitle;

protected:
    bool ListMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void SelectionMoved() override;

private:
    void CreateMenu();
    // Enables the Delete button and menu item exactly when a line is selected.
    void EnableDeleteBySelection();
    void GrayMenuItemLike(const TButtonDescriptor& button);

    TButtonDescriptor addButton;
    TButtonDescriptor deleteButton;
    TButtonDescriptor folderButton;
    std::unique_ptr<TButtonRowElement> buttons; // owned
    THeapString title;                          // of the open-file dialog; empty: the system's
    std::vector<char> filter;                   // owned copy of the filter block, ending in two zeros
    THeapString defaultExtension;
    TOwnedMenu menu;                            // the right-click menu, made anew at every placing
    std::unique_ptr<TOwnerDrawnMenu> menuIcons; // its icons; declared after it, so released first
    int listWidth = 0, listHeight = 0, rowWidth = 0, rowHeight = 0;
};
