// List persistence: numbered values, the rebuilt subkey, the stop at a gap, "SelectText" and interrupted saves.
#include <gtest/gtest.h>

#include "controls/ListElement.h"
#include "foundation/RegistrySection.h"
#include "support/RegistryTestKey.h"
#include "support/StringLists.h"

namespace {

THeapStringList ValueNames(const TRegistryTestKey& testKey, const char* subkey)
{
    TRegistrySection key(testKey.Store(), subkey);
    THeapStringList names;
    TRegistryStore::EnumValueNames(key.Store().LastHandle(), names);
    return names;
}

void Save(const TRegistryTestKey& testKey, TListElement& element)
{
    TRegistrySection shapeKey(testKey.Store(), "");
    element.Save(shapeKey.Store());
}

void Load(const TRegistryTestKey& testKey, TListElement& element)
{
    TRegistrySection shapeKey(testKey.Store(), "");
    element.Load(shapeKey.Store());
}

void SetText(const TRegistryTestKey& testKey, const char* subkey, const char* name, const char* text)
{
    testKey.SetRaw(subkey, name, REG_SZ, text, static_cast<DWORD>(lstrlenA(text) + 1));
}

} // namespace

TEST(ListElementTest, SavingThreeItemsThenOneLeavesOnlyTheFirstValue)
{
    TRegistryTestKey testKey;
    THeapStringList items = ListOf({"a.wav", "b.mid", "c.cda"});
    THeapString selected("b.mid");
    TListElement list(DockFill, 100, 50, &items, &selected);
    list.name = "MusicFileList";
    Save(testKey, list);
    EXPECT_EQ(3, ValueNames(testKey, "MusicFileList").Count());
    // A value that is no item goes even when the list keeps its length.
    SetText(testKey, "MusicFileList", "Stray", "x");
    Save(testKey, list);
    EXPECT_EQ(3, ValueNames(testKey, "MusicFileList").Count());

    items = ListOf({"z.wav"});
    Save(testKey, list);
    THeapStringList names = ValueNames(testKey, "MusicFileList");
    ASSERT_EQ(1, names.Count());
    EXPECT_STREQ("000000", names.Item(0));

    THeapString selectedBack;
    THeapStringList back;
    TListElement reader(DockFill, 100, 50, &back, &selectedBack);
    reader.name = "MusicFileList";
    Load(testKey, reader);
    ASSERT_EQ(1, back.Count());
    EXPECT_STREQ("z.wav", back.Item(0));
    EXPECT_STREQ("b.mid", selectedBack);
}

TEST(ListElementTest, LoadingStopsAtTheFirstGapAndMissingSelectionIsEmpty)
{
    TRegistryTestKey testKey;
    SetText(testKey, "List", "000000", "first");
    SetText(testKey, "List", "000001", "second");
    SetText(testKey, "List", "000003", "after the gap");
    THeapStringList items = ListOf({"old"});
    THeapString selected("old");
    TListElement list(DockFill, 0, 0, &items, &selected);
    list.name = "List";
    Load(testKey, list);
    ASSERT_EQ(2, items.Count());
    EXPECT_STREQ("first", items.Item(0));
    EXPECT_STREQ("second", items.Item(1));
    EXPECT_TRUE(selected.IsEmpty());
}

TEST(ListElementTest, TwoListsShareTheSelectedTextAndAnUnnamedOneStoresNothing)
{
    TRegistryTestKey testKey;
    THeapStringList first = ListOf({"1"}), second = ListOf({"2"});
    THeapString firstSelected("one"), secondSelected("two");
    TListElement a(DockTop, 0, 0, &first, &firstSelected), b(DockTop, 0, 0, &second, &secondSelected);
    a.name = "A";
    b.name = "B";
    Save(testKey, a);
    Save(testKey, b);
    TRawValue value;
    ASSERT_TRUE(testKey.Get("", "SelectText", value));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), value.type);
    EXPECT_EQ(std::string("two", 4), value.bytes);

    TListElement unnamed(DockTop, 0, 0, &first, &firstSelected);
    TRegistryTestKey other;
    Save(other, unnamed);
    EXPECT_EQ(0, ValueNames(other, "").Count());
}

// A save cut short never loses an entry that was stored: new items overwrite old ones in
// place, and the surplus goes only after every new item is written.
TEST(ListElementTest, AnInterruptedSaveKeepsEveryStoredEntry)
{
    TRegistryTestKey testKey;
    THeapStringList old = ListOf({"a", "b", "c"});
    THeapString selected;
    TListElement list(DockFill, 0, 0, &old, &selected);
    list.name = "L";
    Save(testKey, list);

    THeapStringList fresh = ListOf({"x", "y"});
    for (int written = 0; written <= fresh.Count(); ++written) {
        {
            TRegistrySection shapeKey(testKey.Store(), "");
            TRegistrySection section(shapeKey, "L");
            TListElement::WriteItems(section.Store(), fresh, written);
        }
        THeapStringList back;
        TListElement reader(DockFill, 0, 0, &back, &selected);
        reader.name = "L";
        Load(testKey, reader);
        ASSERT_EQ(3, back.Count()) << "after " << written << " values";
        for (int i = 0; i < 3; ++i)
            EXPECT_STREQ(i < written ? fresh.Item(i) : old.Item(i), back.Item(i)) << written << ":" << i;
        Save(testKey, list); // back to the old list for the next round
    }
}
