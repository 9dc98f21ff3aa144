// TFileNameElement: layout, browsing, the icon follow-up and the shared recent-file history.
#include "filelists/FileNameField.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "filelists/FileFilter.h"
#include "foundation/CharacterWidth.h"
#include "foundation/DateTime.h"
#include "foundation/DisplayText.h"
#include "foundation/FileDialogs.h"
#include "foundation/FileSystem.h"
#include "foundation/GlobalStores.h"
#include "foundation/IconCache.h"
#include "foundation/PathOperations.h"
#include "foundation/RegistrySection.h"
#include "foundation/ScreenScale.h"
#include "foundation/ShellLink.h"
#include "foundation/StringOperations.h"
#include "framework/Shape.h"

namespace {

const char captionText[] = "ﾌｧｲﾙ名(&FILENAME&):";
const char browseCaption[] = "参照(&REFERENCE&)...";
const int labelWidth = 68;
const int captionHeight = 12;
const int listHeight = 111 - TOwnerDrawComboboxElement::FrameHeight;
const int gap = 6;
const char historyKey[] = "MRU";

// The block up to and including the empty string that ends it.
std::vector<char> CopyFilter(const char* block)
{
    std::vector<char> copy;
    if (block) {
        const char* end = block;
        while (*end) end += std::strlen(end) + 1;
        copy.assign(block, end);
    }
    copy.push_back('\0');
    copy.push_back('\0');
    return copy;
}

struct TStampRow {
    THeapString name;
    int subkey;
};

} // namespace

TFileNameElement::TCaptionLabel::TCaptionLabel() : caption(DisplayText(captionText)) {}

SIZE TFileNameElement::TCaptionLabel::Measure(TShape* shape, HDC)
{
    if (shape) shape->RegisterCaption(&caption);
    return Scaled(SIZE{labelWidth, captionHeight});
}

void TFileNameElement::TCaptionLabel::Place(TShape* shape, int x, int y)
{
    RegisterTransparentClasses();
    const SIZE size = Scaled(SIZE{labelWidth, captionHeight});
    HWND window = CreateWindowExA(0, "TransparentStatic", caption, WS_CHILD | WS_VISIBLE | SS_LEFT, x, y, size.cx,
                                  size.cy, shape->Handle(),
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(shape->NextControlId())),
                                  TWindow::ModuleInstance(), nullptr);
    if (!window) return;
    BindTransparentControl(window, &record);
    SendMessageA(window, WM_SETFONT, SendMessageA(shape->Handle(), WM_GETFONT, 0, 0), FALSE);
}

void TFileNameElement::TCaptionLabel::Enable(bool enabled)
{
    if (record.hwnd) EnableWindow(record.hwnd, enabled);
}

TFileNameElement::TFileNameElement(const char* fileName, const char* filterBlock, const char* extension,
                                   const char* dialogTitle)
    : TOwnerDrawComboboxElement(DockTop, ComboWidth, fileName, SystemIconSource(IDI_WINLOGO)),
      filter(CopyFilter(filterBlock)), defaultExtension(extension), title(dialogTitle),
      browse(-1, browseCaption, "OPENFILE_ICON"), buttonRow(DockTop, &browse, nullptr)
{
    alignment = AlignLeftCentred;
    buttonRow.SetMayMarkDefault(false);
    SetCaption(&label, labelWidth);
    SetListHeight(listHeight);
    ExtensionsOfFilter(filter, extensions);
}

TFileNameElement::~TFileNameElement() = default;

SIZE TFileNameElement::Measure(TShape* shape, HDC dc)
{
    comboSize = TOwnerDrawComboboxElement::Measure(shape, dc);
    comboSize.cy = Scaled(FrameHeight);
    rowSize = buttonRow.Measure(shape, dc);
    return SIZE{comboSize.cx + Scaled(gap) + rowSize.cx, std::max(comboSize.cy, rowSize.cy)};
}

void TFileNameElement::Place(TShape* shape, int x, int y)
{
    const int height = std::max(comboSize.cy, rowSize.cy);
    TOwnerDrawComboboxElement::Place(shape, x, y + (height - comboSize.cy) / 2);
    buttonRow.Place(shape, x + comboSize.cx + Scaled(gap), y + (height - rowSize.cy) / 2);
    if (Frame()) DragAcceptFiles(Frame(), TRUE);
    if (EditWindow()) {
        DragAcceptFiles(EditWindow(), TRUE);
        SendMessageA(EditWindow(), EM_LIMITTEXT, TextLimit, 0);
    }
}

bool TFileNameElement::Command(int id, HWND window, int code)
{
    if (window && window == ReferenceButton()) {
        Browse();
        return true;
    }
    const bool handled = TOwnerDrawComboboxElement::Command(id, window, code);
    if (window && window == EditWindow() && code == EN_KILLFOCUS) IconFollowUp();
    return handled;
}

void TFileNameElement::Enable(bool enabled)
{
    TOwnerDrawComboboxElement::Enable(enabled);
    label.Enable(enabled);
    buttonRow.Enable(enabled);
}

// Each entry shows the icon of its file type.
void TFileNameElement::RefreshFromData()
{
    TOwnerDrawComboboxElement::RefreshFromData();
    for (int i = 0; i < History().Count(); ++i) {
        const THeapString entry = History().Item(i);
        ReplaceEntry(i, IconForFile(entry), entry);
    }
}

bool TFileNameElement::Browse()
{
    THeapString path = Text();
    HWND owner = Frame() ? GetParent(Frame()) : nullptr;
    const THeapString extension = ExtensionOf(path);
    const int index = FilterIndexFor(filter.data(), static_cast<int>(filter.size()),
                                     extension.IsEmpty() ? "" : Concat(".", extension));
    if (!AskOpenFile(path, owner, filter.data(), defaultExtension, nullptr, title, index)) return false;
    ShowText(path);
    SetCurrentIcon(IconForFile(path));
    Changed();
    return true;
}

void TFileNameElement::IconFollowUp()
{
    if (IconBelongsToText() || Text().IsEmpty()) return;
    THeapString name = Text();
    if (longNames) {
        char longName[MAX_PATH];
        if (GetLongPathNameA(name, longName, sizeof longName) > 0) name = longName;
    }
    SetCurrentIcon(IconForFile(name));
}

void TFileNameElement::Load(TRegistryStore& key)
{
    TOwnerDrawComboboxElement::Load(key);
    if (!ownHistory) RebuildShared();
}

void TFileNameElement::Save(TRegistryStore& key)
{
    if (ownHistory) {
        Remember(nullptr, MaxShared);
        TOwnerDrawComboboxElement::Save(key);
        return;
    }
    TOwnerDrawComboboxElement::Save(key);
    RememberShared();
    if (Frame() && IsWindow(Frame())) RefreshFromData();
}

const TRegistryStore& TFileNameElement::HistoryStore() const
{
    return historyStore ? *historyStore : LibraryStore();
}

THeapString TFileNameElement::StampName(const void* field)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    const TTime time{1, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
    char address[16];
    std::snprintf(address, sizeof address, "%08X",
                  static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(field) & 0xFFFFFFFFu));
    const THeapString date = FormatDate("%yyyy%%mm%%dd%", now.wYear, now.wMonth, now.wDay, false);
    return Concat(Concat(date, FormatTime(time, "%HH%%mm%%ss%%ms%", false)), address);
}

void TFileNameElement::RememberShared()
{
    const THeapString file = Text();
    if (file.IsEmpty() || (History().Count() > 0 && History().Item(0) == file)) {
        RebuildShared();
        return;
    }
    TRegistrySection mru(HistoryStore(), historyKey);
    TRegistrySection section(mru, Concat(".", ToLower(ExtensionOf(file))));
    if (section.Result() == ERROR_SUCCESS) {
        TRegistryStore& store = section.Store();
        THeapStringList names, older;
        TRegistryStore::EnumValueNames(store.LastHandle(), names);
        THeapString data;
        for (int i = 0; i < names.Count(); ++i)
            if (store.ReadString(names.Item(i), data) == ERROR_SUCCESS && data == file) older.Append(names.Item(i));
        const THeapString stamp = StampName(this);
        if (store.WriteString(stamp, file) == ERROR_SUCCESS) {
            // Two saves within one millisecond give the same name: that one is the new value.
            for (int i = 0; i < older.Count(); ++i)
                if (older.Item(i) != stamp) store.DeleteValue(older.Item(i));
        }
    }
    RebuildShared();
}

void TFileNameElement::RebuildShared()
{
    std::vector<TStampRow> rows;
    TRegistrySection mru(HistoryStore(), historyKey);
    std::vector<std::unique_ptr<TRegistrySection>> sections;
    for (int e = 0; e < extensions.Count(); ++e) {
        sections.push_back(std::make_unique<TRegistrySection>(mru, Concat(".", extensions.Item(e))));
        TRegistryStore& store = sections.back()->Store();
        THeapStringList names;
        if (sections.back()->Result() != ERROR_SUCCESS) continue;
        TRegistryStore::EnumValueNames(store.LastHandle(), names);
        names.Sort(0);
        while (names.Count() > MaxShared) {
            store.DeleteValue(names.Item(MaxShared));
            names.Delete(MaxShared);
        }
        for (int i = 0; i < names.Count(); ++i) rows.push_back(TStampRow{names.Item(i), e});
    }
    std::stable_sort(rows.begin(), rows.end(), [](const TStampRow& a, const TStampRow& b) {
        return std::strcmp(a.name, b.name) > 0;
    });

    History().Clear();
    THeapStringList recent;
    RecentDocuments(recent, &extensions);
    for (int i = 0; i < recent.Count(); ++i)
        if (History().Find(recent.Item(i)) < 0 && IsPathAvailable(recent.Item(i))) History().Append(recent.Item(i));
    const int taken = std::min(static_cast<int>(rows.size()), MaxShared);
    for (int r = 0; r < taken; ++r) {
        TRegistryStore& store = sections[rows[r].subkey]->Store();
        THeapString file;
        store.ReadString(rows[r].name, file);
        if (History().Find(file) >= 0) continue;
        if (!file.IsEmpty() && IsPathAvailable(file))
            History().Append(file);
        else
            store.DeleteValue(rows[r].name);
    }
    if (Frame() && IsWindow(Frame())) RefreshFromData();
}

void TFileNameElement::ExtensionsOfFilter(const std::vector<char>& block, THeapStringList& out)
{
    THeapStringList patterns;
    ::FilterExtensions(block.data(), static_cast<int>(block.size()), patterns);
    out.Clear();
    for (int i = 0; i < patterns.Count(); ++i) {
        const THeapString lower = ToLower(patterns.Item(i));
        if (!lower.IsEmpty() && lower != "*" && out.Find(lower) < 0) out.Append(lower);
    }
}
