// TOwnerDrawComboboxElement: creation, persistence, history and the edit's notifications.
#include "filelists/ComboboxElement.h"

#include "controls/ListElement.h"
#include "filelists/ComboCompletion.h"
#include "foundation/Handles.h"
#include "foundation/IconCache.h"
#include "foundation/RegistrySection.h"
#include "foundation/ScreenScale.h"
#include "framework/Shape.h"

namespace {

const int captionDrop = 3;
const DWORD frameStyle = WS_CHILD | WS_VISIBLE;

} // namespace

TOwnerDrawComboboxElement::TOwnerDrawComboboxElement(int dock, int width, const char* defaultText,
                                                     TIconSource* defaultIcon)
    : TElement(dock, AlignCentred), width(width), editPart(this), listPart(this), text(defaultText),
      defaultText(defaultText), currentIcon(nullptr),
      defaultIcon(defaultIcon ? defaultIcon : ModuleIcon("SHELL32.DLL", 0))
{
    currentIcon = this->defaultIcon;
}

TOwnerDrawComboboxElement::~TOwnerDrawComboboxElement()
{
    DestroyWindows();
    TFrameBinding::Unbind(*this);
}

void TOwnerDrawComboboxElement::DestroyWindows()
{
    listPart.Destroy(frame);
    editPart.Destroy();
}

void TOwnerDrawComboboxElement::SetCaption(TElement* element, int widthOfCaption)
{
    caption = element;
    captionWidth = widthOfCaption;
}

void TOwnerDrawComboboxElement::Save(TRegistryStore& key)
{
    if (!name.IsEmpty()) key.WriteString(name, text);
    if (historyName.IsEmpty()) return;
    // Values past the current count stay from earlier saves.
    TRegistrySection section(key, historyName);
    if (section.Result() != ERROR_SUCCESS) return;
    for (int i = 0; i < history.Count(); ++i) section.Store().WriteString(TListElement::ValueName(i), history.Item(i));
}

void TOwnerDrawComboboxElement::Load(TRegistryStore& key)
{
    if (!name.IsEmpty() && key.ReadString(name, text) != ERROR_SUCCESS) text = defaultText;
    if (historyName.IsEmpty()) return;
    TRegistrySection section(key, historyName);
    history.Clear();
    THeapString entry;
    for (int n = 0; section.Store().ReadString(TListElement::ValueName(n), entry) == ERROR_SUCCESS; ++n)
        history.Append(entry);
}

SIZE TOwnerDrawComboboxElement::Measure(TShape* shape, HDC dc)
{
    frameSize = Scaled(SIZE{width, FrameHeight});
    SIZE size = frameSize;
    measuredCaptionWidth = 0;
    if (caption) {
        SIZE captionSize = caption->Measure(shape, dc);
        measuredCaptionWidth = captionWidth >= 0 ? Scaled(captionWidth) : captionSize.cx;
        size.cx += measuredCaptionWidth;
        if (captionSize.cy + Scaled(captionDrop) > size.cy) size.cy = captionSize.cy + Scaled(captionDrop);
    }
    return size;
}

void TOwnerDrawComboboxElement::Place(TShape* shape, int x, int y)
{
    if (caption) {
        caption->Place(shape, x, y + Scaled(captionDrop));
        x += measuredCaptionWidth;
    }
    editPart.Create(shape->Handle(), text, shape->NextControlId());
    RegisterFrameClass();
    frame = CreateWindowExA(WS_EX_CLIENTEDGE, FrameClassName, "", frameStyle, x, y, frameSize.cx, frameSize.cy,
                            shape->Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(shape->NextControlId())),
                            TWindow::ModuleInstance(), this);
    if (frame && editPart.edit)
        SetWindowPos(frame, editPart.edit, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    currentIcon = defaultIcon;
    if (frame) listPart.Create(frame, shape->NextControlId());
    RefreshFromData();
}

void TOwnerDrawComboboxElement::Enable(bool enabled)
{
    if (frame) EnableWindow(frame, enabled);
    if (editPart.edit) EnableWindow(editPart.edit, enabled);
    if (!enabled) CloseList();
}

void TOwnerDrawComboboxElement::Changed() {}

void TOwnerDrawComboboxElement::Remember(const char* newText, int limit)
{
    const THeapString entry = newText ? THeapString(newText) : text;
    const int existing = history.Find(entry);
    if (existing >= 0) history.Delete(existing);
    history.Insert(0, entry);
    if (limit != -1)
        while (history.Count() > limit && history.Count() > 0) history.Delete(history.Count() - 1);
}

void TOwnerDrawComboboxElement::AddEntry(TIconSource* icon, const char* entryText)
{
    history.Append(entryText);
    items.push_back(std::make_unique<TComboListItem>(entryText, icon));
    if (listPart.list)
        SendMessageA(listPart.list, LB_INSERTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(items.back().get()));
}

void TOwnerDrawComboboxElement::ReplaceEntry(int index, TIconSource* icon, const char* entryText)
{
    if (index < 0 || index >= static_cast<int>(items.size()) || index >= history.Count()) return;
    history.Item(index) = entryText;
    TComboListItem& item = *items[index];
    item.text = entryText;
    item.icon = icon;
    if (!listPart.list) return;
    {
        TWindowFontDC dc(listPart.list);
        item.Measure(dc, TComboListItem::MeasureGap(dc));
    }
    SendMessageA(listPart.list, LB_SETITEMHEIGHT, index, item.itemHeight);
    InvalidateRect(listPart.list, nullptr, TRUE);
}

void TOwnerDrawComboboxElement::FillList()
{
    if (listPart.list) SendMessageA(listPart.list, LB_RESETCONTENT, 0, 0);
    items.clear();
    selectedItem = nullptr;
    int selected = -1;
    for (int i = 0; i < history.Count(); ++i) {
        items.push_back(std::make_unique<TComboListItem>(history.Item(i), defaultIcon));
        if (selected < 0 && history.Item(i) == text) {
            selected = i;
            selectedItem = items.back().get();
        }
        if (listPart.list)
            SendMessageA(listPart.list, LB_INSERTSTRING, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(items.back().get()));
    }
    if (listPart.list) SendMessageA(listPart.list, LB_SETCURSEL, selected, 0);
}

void TOwnerDrawComboboxElement::RefreshFromData()
{
    FillList();
    SetEditText(text);
    previousText = text;
    if (!listPart.list || !editPart.edit) return;
    SCROLLINFO scroll{};
    scroll.cbSize = sizeof scroll;
    scroll.fMask = SIF_ALL;
    if (GetScrollInfo(listPart.list, SB_VERT, &scroll)) SetScrollInfo(editPart.edit, SB_VERT, &scroll, TRUE);
}

void TOwnerDrawComboboxElement::RefreshToData()
{
    history.Clear();
    for (const auto& item : items) history.Append(item->text);
    FollowSelection();
}

void TOwnerDrawComboboxElement::OpenList()
{
    if (frame) listPart.Open(frame);
}

void TOwnerDrawComboboxElement::CloseList() { listPart.Close(); }

void TOwnerDrawComboboxElement::ToggleList()
{
    if (listPart.IsOpen())
        CloseList();
    else
        OpenList();
}

bool TOwnerDrawComboboxElement::Command(int id, HWND window, int code)
{
    if (window && window == listPart.list) {
        if (code == 1) ListChosen();
        return true;
    }
    if (window && window == editPart.edit) {
        EditNotified(code);
        return true;
    }
    return caption ? caption->Command(id, window, code) : false;
}

void TOwnerDrawComboboxElement::ListChosen()
{
    if (!listPart.list || SendMessageA(listPart.list, LB_GETCURSEL, 0, 0) < 0) return;
    FollowSelection();
    SetEditText(text);
    previousText = text;
    if (editPart.edit) SendMessageA(editPart.edit, EM_SETSEL, 0, -1);
    Changed();
}

void TOwnerDrawComboboxElement::EditNotified(int code)
{
    if (updatingEdit) return;
    switch (code) {
    case EN_SETFOCUS:
        SendMessageA(editPart.edit, EM_SETSEL, 0, -1);
        break;
    case EN_KILLFOCUS:
        if (EditText() != text) RefreshFromData();
        break;
    case EN_CHANGE:
        FollowSelection();
        Changed();
        break;
    case EN_UPDATE:
        CompleteFromHistory();
        break;
    default:
        break;
    }
}

void TOwnerDrawComboboxElement::CompleteFromHistory()
{
    const THeapString typed = EditText();
    DWORD start = 0, end = 0;
    SendMessageA(editPart.edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const bool caretAtEnd = start == end && static_cast<int>(end) == typed.Length();
    const bool grew = typed.Length() > previousText.Length();
    bool completed = false;
    if (caretAtEnd && grew && (!lastCompleted || typed != previousText)) {
        const THeapString whole = CompletedText(history, typed);
        if (whole.Length() > typed.Length()) {
            SetEditText(whole);
            SendMessageA(editPart.edit, EM_SETSEL, typed.Length(), whole.Length());
            completed = true;
        }
    }
    lastCompleted = completed;
    previousText = EditText();
    text = previousText;
    if (listPart.list) SendMessageA(listPart.list, LB_SETCURSEL, MatchingEntry(history, previousText), 0);
    Changed();
}

void TOwnerDrawComboboxElement::FollowSelection()
{
    const int index = listPart.list ? static_cast<int>(SendMessageA(listPart.list, LB_GETCURSEL, 0, 0)) : -1;
    if (index < 0 || index >= static_cast<int>(items.size())) return;
    selectedItem = items[index].get();
    SetCurrentIcon(selectedItem->icon);
    text = selectedItem->text;
}

void TOwnerDrawComboboxElement::ShowText(const char* shown)
{
    text = shown;
    SetEditText(text);
    previousText = text;
}

void TOwnerDrawComboboxElement::SetCurrentIcon(TIconSource* icon)
{
    currentIcon = icon;
    iconFollowsText = true;
    if (!frame) return;
    RECT iconArea;
    GetClientRect(frame, &iconArea);
    iconArea.right = iconArea.left + Scaled(IconRoom);
    InvalidateRect(frame, &iconArea, TRUE);
}

void TOwnerDrawComboboxElement::SetEditText(const char* shown)
{
    if (!editPart.edit) return;
    updatingEdit = true;
    SetWindowTextA(editPart.edit, shown);
    updatingEdit = false;
}

THeapString TOwnerDrawComboboxElement::EditText() const
{
    THeapString shown;
    if (!editPart.edit) return shown;
    const int length = GetWindowTextLengthA(editPart.edit);
    GetWindowTextA(editPart.edit, shown.Reserve(length + 1), length + 1);
    shown.Release();
    return shown;
}
