// TListElement: saving and loading the list values and the selected text.
#include "controls/ListElement.h"

#include <cstdlib>
#include <cstring>

#include "foundation/RegistrySection.h"

namespace {

const char selectTextName[] = "SelectText";

// A value name that one of the first `count` items is written under.
bool IsItemName(const char* text, int count)
{
    if (std::strlen(text) != 6) return false;
    for (int i = 0; i < 6; ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return std::atoi(text) < count;
}

} // namespace

TListElement::TListElement(int dock, int width, int height, THeapStringList* items, THeapString* selectedText)
    : TElement(dock, AlignCentred), width(width), height(height), items(items), selectedText(selectedText),
      window(nullptr)
{
}

TListElement::~TListElement() = default;

THeapString TListElement::ValueName(int index)
{
    THeapString text;
    text.Format("%6.6d", index);
    return text;
}

void TListElement::WriteItems(TRegistryStore& list, const THeapStringList& values, int count)
{
    for (int i = 0; i < count && i < values.Count(); ++i) list.WriteString(ValueName(i), values.Item(i));
}

void TListElement::RemoveValuesAfter(TRegistryStore& list, int count)
{
    THeapStringList names;
    TRegistryStore::EnumValueNames(list.LastHandle(), names);
    for (int i = 0; i < names.Count(); ++i)
        if (!IsItemName(names.Item(i), count)) list.DeleteValue(names.Item(i));
}

void TListElement::Save(TRegistryStore& key)
{
    if (name.IsEmpty()) return;
    if (items) {
        TRegistrySection list(key, name);
        if (list.Result() == ERROR_SUCCESS) {
            WriteItems(list.Store(), *items, items->Count());
            RemoveValuesAfter(list.Store(), items->Count());
        }
    }
    if (selectedText) key.WriteString(selectTextName, *selectedText);
}

void TListElement::Load(TRegistryStore& key)
{
    if (name.IsEmpty()) return;
    if (items) {
        TRegistrySection list(key, name, OpenExisting);
        items->Clear();
        THeapString text;
        for (int n = 0; list.Store().ReadString(ValueName(n), text) == ERROR_SUCCESS; ++n) items->Append(text);
    }
    if (selectedText && key.ReadString(selectTextName, *selectedText) != ERROR_SUCCESS) *selectedText = "";
}

SIZE TListElement::Measure(TShape*, HDC) { return SIZE{width, height}; }
void TListElement::Place(TShape*, int, int) {}
