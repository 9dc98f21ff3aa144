// TFileListElement: the list box window, its display items, refreshing and appending paths.
#include "filelists/FileListElement.h"

#include <shellapi.h>

#include <algorithm>

#include "filelists/ProgressWindow.h"
#include "foundation/Handles.h"
#include "foundation/IconCache.h"
#include "foundation/PathOperations.h"
#include "foundation/ScreenScale.h"
#include "framework/PumpPacer.h"
#include "framework/Shape.h"
#include "framework/Window.h"

namespace {

const char ownerProperty[] = "Owner";
const DWORD listStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_SORT |
                        LBS_OWNERDRAWVARIABLE | LBS_NOINTEGRALHEIGHT;

} // namespace

const char* const TFileListElement::ClassName = "FileList";
int TFileListElement::gap = 0;
TFileListElement::TListClass TFileListElement::superclass{ClassName, "LISTBOX", &TFileListElement::PreWndProc};

TFileListElement::TFileListElement(int dock, int width, int height, THeapStringList* items,
                                   THeapString* selectedText, TIconSource* fixedIcon)
    : TListElement(dock, width, height, items, selectedText), fixedIcon(fixedIcon)
{
}

TFileListElement::~TFileListElement() { superclass.Unbind(*this); }

LRESULT CALLBACK TFileListElement::PreWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return superclass.Route(window, message, wParam, lParam,
                            [window](TListElement& element, UINT message, WPARAM wParam, LPARAM lParam) {
                                LRESULT result = 0;
                                if (static_cast<TFileListElement&>(element).ListMessage(message, wParam, lParam, result))
                                    return result;
                                result = superclass.CallSystem(window, message, wParam, lParam);
                                // Looked up again: the system's handling may have notified the shape,
                                // which may have let go.
                                if (MayMoveSelection(message))
                                    if (TListElement* bound = superclass.Object(window))
                                        static_cast<TFileListElement*>(bound)->SelectionMoved();
                                return result;
                            });
}

bool TFileListElement::MayMoveSelection(UINT message)
{
    switch (message) {
    case LB_SETCURSEL:
    case LB_SETSEL:
    case LB_SELECTSTRING:
    case LB_DELETESTRING:
    case LB_RESETCONTENT:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
    case WM_CHAR:
        return true;
    default:
        return false;
    }
}

void TFileListElement::SelectionMoved() {}

bool TFileListElement::ListMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    lineTip.Message(message, wParam, lParam);
    if (TReflected* reflected = AsReflected(message, lParam)) {
        reflected->handled = Reflected(*reflected);
        result = 0;
        return true;
    }
    if (message == WM_ENABLE) InvalidateRect(window, nullptr, TRUE); // the items change colour with the list
    return false;
}

// The list's own notices and items, which its shape reflects to it.
bool TFileListElement::Reflected(TReflected& reflected)
{
    switch (reflected.message) {
    case WM_MEASUREITEM:
        reflected.result = MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(reflected.lParam));
        return reflected.result != FALSE;
    case WM_DRAWITEM:
        reflected.result = DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(reflected.lParam));
        return reflected.result != FALSE;
    case WM_COMMAND:
        if (HIWORD(reflected.wParam) == LBN_SELCHANGE) {
            FollowSelection();
            Changed();
        }
        return true; // its other notices are consumed
    default:
        return false;
    }
}

void TFileListElement::Place(TShape* owner, int x, int y)
{
    CreateList(owner, x, y);
    SetPropA(window, ownerProperty, nullptr);
}

void TFileListElement::CreateList(TShape* owner, int x, int y)
{
    shape = owner;
    HWND parent = ShapeWindow();
    const int id = owner ? owner->NextControlId() : 0;
    controlId = static_cast<UINT>(id);
    superclass.Register();
    const SIZE size = Scaled(SIZE{width, height});
    HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, ClassName, "", listStyle, x, y, size.cx, size.cy, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), TWindow::ModuleInstance(), nullptr);
    if (!list) return;
    superclass.Bind(list, *this);
    lineTip.Attach(window);
    DragAcceptFiles(window, TRUE);
    SendMessageA(window, WM_SETFONT, SendMessageA(parent, WM_GETFONT, 0, 0), FALSE);
    RefreshFromData();
}

HWND TFileListElement::ShapeWindow() const { return shape ? shape->Handle() : GetParent(window); }


void TFileListElement::MeasureGap()
{
    TWindowFontDC dc(window);
    gap = TComboListItem::MeasureGap(dc);
}

// Measured once: the list box takes the height from the answer to its WM_MEASUREITEM.
void TFileListElement::InsertLine(TComboListItem* item, HDC dc)
{
    item->Measure(dc, gap);
    SendMessageA(window, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(item));
}

void TFileListElement::AppendLine(const char* path, HDC dc)
{
    if (items) items->Append(path);
    display.push_back(std::make_unique<TComboListItem>(path, fixedIcon));
    InsertLine(display.back().get(), dc);
}

void TFileListElement::RefreshFromData()
{
    if (!window) return;
    SendMessageA(window, LB_RESETCONTENT, 0, 0);
    display.clear();
    current = nullptr;
    if (items)
        for (const THeapString& path : *items) display.push_back(std::make_unique<TComboListItem>(path, fixedIcon));
    MeasureGap();
    TWindowFontDC dc(window);
    for (auto& item : display) {
        if (!current && selectedText && item->text == *selectedText) current = item.get();
        InsertLine(item.get(), dc);
    }
    SendMessageA(window, LB_SETCURSEL, static_cast<WPARAM>(current ? LineOf(current) : -1), 0);
}

void TFileListElement::RefreshToData()
{
    if (items) {
        items->Clear();
        for (auto& item : display) items->Append(item->text);
    }
    if (selectedText) *selectedText = current ? current->text.Text() : "";
}

int TFileListElement::LineOf(const TComboListItem* item) const
{
    const int count = static_cast<int>(SendMessageA(window, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        if (SendMessageA(window, LB_GETITEMDATA, i, 0) == reinterpret_cast<LRESULT>(item)) return i;
    return -1;
}

void TFileListElement::FollowSelection()
{
    const LRESULT line = SendMessageA(window, LB_GETCURSEL, 0, 0);
    current = line == LB_ERR ? nullptr : reinterpret_cast<TComboListItem*>(SendMessageA(window, LB_GETITEMDATA, line, 0));
    if (selectedText) *selectedText = current ? current->text.Text() : "";
}

void TFileListElement::DeleteLine(int index)
{
    if (index < 0 || index >= static_cast<int>(display.size())) return;
    TComboListItem* item = display[index].get();
    const int line = LineOf(item);
    if (line >= 0) SendMessageA(window, LB_DELETESTRING, line, 0);
    if (current == item) current = nullptr;
    if (items && index < items->Count()) items->Delete(index);
    display.erase(display.begin() + index);
}

void TFileListElement::Enable(bool enabled)
{
    if (window) EnableWindow(window, enabled ? TRUE : FALSE);
}

void TFileListElement::Changed() {}

// One step per path leaves entries, display items and lines in step whenever the queue has
// its turn; the user's commands on the list are refused meanwhile.
void TFileListElement::AddPaths(const THeapStringList& paths)
{
    const int n = paths.Count();
    if (n <= 0 || !window) return;
    TBusy busy(*this);
    TProgressWindow progress(ShapeWindow(), TProgressKind::AddingPaths, 2 * n);
    progress.Show();
    MeasureGap();
    {
        TWindowFontDC dc(window);
        TPumpPacer pacer;
        // Painting after every line would dominate long additions.
        SendMessageA(window, WM_SETREDRAW, FALSE, 0);
        for (const THeapString& given : paths) {
            AppendLine(FullPath(given), dc);
            const bool drew = progress.IsOpen() && progress.Advance(2);
            if (pacer.Step(drew) && !IsWindow(window)) break;
        }
        SendMessageA(window, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(window, nullptr, TRUE);
    }
    progress.Close();
}

void TFileListElement::AddPath(const char* path, TIconSource* icon)
{
    if (items) items->Append(path);
    display.push_back(std::make_unique<TComboListItem>(path, icon));
    if (!window) return;
    MeasureGap();
    TWindowFontDC dc(window);
    InsertLine(display.back().get(), dc);
}

void TFileListElement::ReplacePath(int index, const char* path, TIconSource* icon)
{
    if (index < 0 || index >= static_cast<int>(display.size())) return;
    if (items && index < items->Count()) items->Item(index) = path;
    TComboListItem* item = display[index].get();
    item->text = path;
    item->icon = icon;
    if (!window) return;
    MeasureGap();
    TWindowFontDC dc(window);
    item->Measure(dc, gap);
    const int line = LineOf(item);
    if (line >= 0) SendMessageA(window, LB_SETITEMHEIGHT, line, item->itemHeight);
    InvalidateRect(window, nullptr, TRUE);
}

bool TFileListElement::MeasureItem(MEASUREITEMSTRUCT& measure)
{
    if (measure.CtlType != ODT_LISTBOX || !window || measure.CtlID != controlId) return false;
    auto* item = reinterpret_cast<TComboListItem*>(measure.itemData);
    if (!item) return false;
    measure.itemWidth = static_cast<UINT>(std::max(item->itemWidth, 0));
    measure.itemHeight = static_cast<UINT>(std::max(item->itemHeight, 1));
    return true;
}

bool TFileListElement::DrawItem(const DRAWITEMSTRUCT& draw)
{
    if (draw.CtlType != ODT_LISTBOX || draw.hwndItem != window) return false;
    if (draw.itemID == static_cast<UINT>(-1) || !draw.itemData) {
        if (draw.itemState & ODS_FOCUS) DrawFocusRect(draw.hDC, &draw.rcItem);
        return true;
    }
    auto* item = reinterpret_cast<TComboListItem*>(draw.itemData);
    // Looked up when first drawn: a long list shows only a few of its entries.
    if (!item->icon) item->icon = FileTypeIcon(item->text);
    item->Draw(draw);
    return true;
}
