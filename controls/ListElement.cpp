// TListElement: saving and loading the list values and the selected text.
#include "controls/ListElement.h"

#include <cstdlib>
#include <cstring>

#include "foundation/RegistrySection.h"
#include "foundation/ScreenScale.h"

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

// The number of values under the key, or -1 when it cannot be read.
int ValueCount(HKEY key)
{
    DWORD values = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                         nullptr) != ERROR_SUCCESS)
        return -1;
    return static_cast<int>(values);
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

bool TListElement::WriteItems(TRegistryStore& list, const THeapStringList& values, int count)
{
    bool written = true;
    int index = 0;
    for (const THeapString& value : values) {
        if (index >= count) break;
        written = list.WriteString(ValueName(index++), value) == ERROR_SUCCESS && written;
    }
    return written;
}

void TListElement::RemoveValuesAfter(TRegistryStore& list, int count)
{
    THeapStringList names;
    TRegistryStore::EnumValueNames(list.LastHandle(), names);
    // From the highest name down: a save cut short then leaves no gap, behind which older
    // entries would come back once a later save fills the gap.
    names.Sort(0);
    for (const THeapString& valueName : names)
        if (!IsItemName(valueName, count)) list.DeleteValue(valueName);
}

void TListElement::Save(TRegistryStore& key)
{
    if (name.IsEmpty()) return;
    if (items) {
        TRegistrySection list(key, name);
        if (list.Result() == ERROR_SUCCESS) {
            const bool written = WriteItems(list.Store(), *items, items->Count());
            // Listing the values back costs a round trip each under Wine: a key that holds
            // just the items written has nothing else to remove.
            if (!written || ValueCount(list.Store().LastHandle()) != items->Count())
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

SIZE TListElement::Measure(TShape*, HDC) { return Scaled(SIZE{width, height}); }
void TListElement::Place(TShape*, int, int) {}
