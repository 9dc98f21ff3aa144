// TFileListbox: the buttons, menu, keys and drops of the file list, and its Add / Delete / Folder.
#include "filelists/FileListbox.h"

#include <shellapi.h>

#include "controls/MessageBox.h"
#include "controls/SystemIconElement.h"
#include "filelists/FileFilter.h"
#include "filelists/FolderScan.h"
#include "foundation/FileDialogs.h"
#include "foundation/PathOperations.h"
#include "foundation/ScreenScale.h"
#include "foundation/StringOperations.h"
#include "framework/DropFiles.h"
#include "framework/OwnerDrawnMenu.h"
#include "framework/Shape.h"

namespace {

const char ownerProperty[] = "Owner";
const char filterProperty[] = "FileFilter";
const int buttonGap = 6;

bool KeepListed(const char* path, void* context)
{
    return ExtensionListed(ExtensionOf(path), *static_cast<const THeapStringList*>(context));
}

} // namespace

const char* const TFileListbox::FolderTitle = "指定したフォルダ以下の該当ファイルをすべて追加します。";

TFileListbox::TFileListbox(int dock, int width, int height, THeapStringList* items, THeapString* selectedText,
                           const char* filterBlock, int filterSize, const char* defaultExtension)
    : TFileListElement(dock, width, height, items, selectedText),
      addButton(-1, "追加(&ADD&)...", "NEWFILE_ICON"), deleteButton(-1, "削除(&DELETE&)", "DELETE_ICON"),
      folderButton(-1, "フォルダ(&FOLDER&)...", "OPENFILE_ICON"),
      buttons(std::make_unique<TButtonRowElement>(DockRight, &addButton, &deleteButton, &folderButton, nullptr)),
      defaultExtension(defaultExtension ? defaultExtension : "")
{
    if (filterBlock && filterSize > 0) filter.assign(filterBlock, filterBlock + filterSize);
    filter.push_back('\0'); // a block cut short still ends in two zeros for the dialog
    filter.push_back('\0');
}

TFileListbox::~TFileListbox()
{
    if (window && IsWindow(window)) {
        RemovePropA(window, ownerProperty);
        RemovePropA(window, filterProperty);
    }
}

SIZE TFileListbox::Measure(TShape* owner, HDC dc)
{
    listWidth = Scaled(width);
    listHeight = Scaled(height);
    const SIZE row = buttons->Measure(owner, dc);
    rowWidth = row.cx;
    rowHeight = row.cy;
    return SIZE{listWidth + Scaled(buttonGap) + rowWidth, listHeight > rowHeight ? listHeight : rowHeight};
}

void TFileListbox::Place(TShape* owner, int x, int y)
{
    CreateList(owner, x, y + (rowHeight > listHeight ? (rowHeight - listHeight) / 2 : 0));
    if (window) {
        SetPropA(window, ownerProperty, this);
        SetPropA(window, filterProperty, filter.data());
    }
    for (TButtonDescriptor* button : {&addButton, &deleteButton, &folderButton})
        if (button->id == -1) button->id = owner ? owner->NextControlId() : 0;
    buttons->Place(owner, x + listWidth + Scaled(buttonGap), y);
    CreateMenu();
    EnableDeleteBySelection();
}

void TFileListbox::CreateMenu()
{
    menuIcons.reset(); // the decoration goes before the menu it decorates
    menu.Reset(CreatePopupMenu());
    AppendMenuA(menu, MF_STRING, addButton.id, "追加(&A)...\tInsert");
    AppendMenuA(menu, MF_STRING, deleteButton.id, "削除(&D)\tDelete");
    AppendMenuA(menu, MF_STRING, folderButton.id, "フォルダ(&F)...\tCtrl+Insert");
    menuIcons = std::make_unique<TOwnerDrawnMenu>(menu);
    menuIcons->AttachIcon(addButton.id, "NEWFILE_ICON");
    menuIcons->AttachIcon(deleteButton.id, "DELETE_ICON");
    menuIcons->AttachIcon(folderButton.id, "OPENFILE_ICON");
    menuIcons->MakeOwnerDrawn();
}

// The button and the menu item, whatever moved the selection; a disabled list keeps both off.
void TFileListbox::EnableDeleteBySelection()
{
    const bool selected = window && IsWindowEnabled(window) && SendMessageA(window, LB_GETCURSEL, 0, 0) != LB_ERR;
    if (deleteButton.control.hwnd) EnableWindow(deleteButton.control.hwnd, selected ? TRUE : FALSE);
    if (menu) GrayMenuItemLike(deleteButton);
}

void TFileListbox::SelectionMoved() { EnableDeleteBySelection(); }

bool TFileListbox::Command(int id, HWND from, int)
{
    const bool fromButton = from == nullptr || from == addButton.control.hwnd ||
                            from == deleteButton.control.hwnd || from == folderButton.control.hwnd;
    const bool listCommand = fromButton && (id == addButton.id || id == deleteButton.id || id == folderButton.id);
    if (!listCommand) return false;
    if (Busy()) return true; // refused: see ListMessage
    if (id == addButton.id) Add();
    else if (id == deleteButton.id) Delete();
    else Folder();
    return true;
}

void TFileListbox::Enable(bool enabled)
{
    TFileListElement::Enable(enabled);
    buttons->Enable(enabled);
    if (enabled) EnableDeleteBySelection();
}

// While a batch runs on the list its commands, keys and drops are refused rather than queued:
// the user acted on a list still being filled, and the progress window says it is busy; a
// delete or a dialog that came seconds later would act on what the user no longer sees.
bool TFileListbox::ListMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // Only keys and drops ask for the property: each lookup is a round trip to the Wine
    // server, and every line added sends the list a message.
    const bool keyOrDrop = (message == WM_KEYDOWN && (wParam == VK_INSERT || wParam == VK_DELETE)) ||
                           message == WM_DROPFILES;
    const bool owned = keyOrDrop && window && GetPropA(window, ownerProperty) != nullptr;
    if (owned && Busy()) {
        if (message == WM_DROPFILES) RefuseDrop(reinterpret_cast<HDROP>(wParam));
        result = 0;
        return true;
    }
    if (owned && message == WM_KEYDOWN) {
        if (wParam == VK_DELETE) Delete();
        else if (GetKeyState(VK_CONTROL) < 0) Folder();
        else Add();
        result = 0;
        return true;
    }
    if (owned && message == WM_DROPFILES) {
        TakeDrop(reinterpret_cast<HDROP>(wParam));
        result = 0;
        return true;
    }
    return TFileListElement::ListMessage(message, wParam, lParam, result);
}

void TFileListbox::GrayMenuItemLike(const TButtonDescriptor& button)
{
    const bool enabled = button.control.hwnd && IsWindowEnabled(button.control.hwnd);
    EnableMenuItem(menu, button.id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED | MF_DISABLED));
}

bool TFileListbox::ContextMenu(HWND from, int x, int y)
{
    if (!window || from != window) return false;
    if (Busy()) return true; // its menu would hold the batch up, for commands that are refused
    POINT point{x, y};
    ScreenToClient(window, &point);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y)); // ends the list's mouse capture
    // Below the last line the system list keeps a line selected; there nothing is under the mouse.
    const LRESULT hit = SendMessageA(window, LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    if (HIWORD(hit)) SendMessageA(window, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    FollowSelection();
    for (const TButtonDescriptor* button : {&addButton, &deleteButton, &folderButton}) GrayMenuItemLike(*button);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, x, y, 0, ShapeWindow(), nullptr);
    return true;
}

void TFileListbox::Add()
{
    TBusy busy(*this); // the dialog runs a loop of its own
    THeapString path = selectedText ? *selectedText : THeapString();
    const THeapString extension = ExtensionOf(path);
    const int index = FilterIndexFor(filter.data(), static_cast<int>(filter.size()),
                                     extension.IsEmpty() ? "" : Concat(".", extension).Text());
    TLeftOutPaths leftOut;
    if (!AskOpenFile(path, ShapeWindow(), filter.data(), defaultExtension, nullptr,
                     title.IsEmpty() ? nullptr : title.Text(), index, &leftOut)) {
        NoticeLeftOutPaths(ShapeWindow(), leftOut);
        return;
    }
    AddPath(FullPath(path), fixedIcon);
    Changed();
}

void TFileListbox::Delete()
{
    const int entry = items && selectedText ? items->Find(*selectedText) : -1;
    if (entry >= 0 && entry < static_cast<int>(display.size())) {
        const int selectedLine = static_cast<int>(SendMessageA(window, LB_GETCURSEL, 0, 0));
        const int deletedLine = LineOf(display[entry].get());
        DeleteLine(entry);
        *selectedText = "";
        const int remaining = static_cast<int>(SendMessageA(window, LB_GETCOUNT, 0, 0));
        if (deletedLine == selectedLine && remaining > 0) {
            SendMessageA(window, LB_SETCURSEL, deletedLine < remaining ? deletedLine : remaining - 1, 0);
            FollowSelection();
        }
        Changed();
    }
    EnableDeleteBySelection();
}

void TFileListbox::Folder()
{
    TBusy busy(*this);
    THeapString folder = selectedText ? DirectoryOf(*selectedText) : THeapString();
    if (!BrowseForFolder(folder, ShapeWindow(), FolderTitle)) return;
    THeapStringList extensions, found;
    FilterExtensions(filter.data(), static_cast<int>(filter.size()), extensions);
    TLeftOutPaths leftOut;
    const int result = ScanFolder(folder, ShapeWindow(), found, &KeepListed, &extensions, &leftOut);
    if (result == ScanStopped) return;
    if (result != ScanFinished) {
        NoticeFolderScanFailed(ShapeWindow());
        return;
    }
    NoticeLeftOutPaths(ShapeWindow(), leftOut);
    if (found.Count() > 0) {
        AddPaths(found);
        Changed();
    } else if (leftOut.Count() == 0) {
        ShowNotice(ShapeWindow(), "FaildToAddFolder_NoFile", "該当するファイルをひとつも発見できませんでした。", true);
    }
}

void TFileListbox::TakeDrop(HDROP drop)
{
    TBusy busy(*this); // folders in the drop are scanned
    THeapStringList names;
    TLeftOutPaths leftOut;
    if (const char* block = static_cast<const char*>(GetPropA(window, filterProperty))) {
        THeapStringList extensions;
        FilterExtensions(block, static_cast<int>(filter.size()), extensions);
        TakeDroppedFilesExpanded(window, drop, names, extensions, &ScanFolder, &leftOut);
    } else {
        TakeDroppedFiles(window, drop, names, &leftOut);
    }
    NoticeLeftOutPaths(ShapeWindow(), leftOut);
    if (names.Count() == 0) return;
    AddPaths(names);
    Changed();
    if (HWND shapeWindow = ShapeWindow()) SetForegroundWindow(shapeWindow);
}
