// Tests of TRegistryStore, the value references, sections and global stores on a real HKCU key.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/GlobalStores.h"
#include "foundation/RegValue.h"
#include "foundation/RegistrySection.h"
#include "foundation/RegistryStore.h"
#include "support/RegistryTestKey.h"
#include "support/StringLists.h"

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

namespace {

class RegistryStoreTest : public ::testing::Test {
protected:
    void TearDown() override { key.Remove(); }

    // Stores must not outlive their open handles inside a test.
    void Close(TRegistryStore& store) { EXPECT_EQ(ERROR_SUCCESS, store.CloseKeys()); }

    TRegistryTestKey key;
};

TEST_F(RegistryStoreTest, ReadsFallBackToFirstKeyAndWritesGoToLast)
{
    ASSERT_EQ(ERROR_SUCCESS, key.SetRaw("General", "Color", REG_SZ, "blue", 5));
    DWORD level = 7;
    ASSERT_EQ(ERROR_SUCCESS, key.SetRaw("General", "Level", REG_DWORD, &level, 4));
    TRegistryStore store{{nullptr, HKEY_CURRENT_USER, key.Path("General").c_str()},
                         {nullptr, HKEY_CURRENT_USER, key.Path("Specific").c_str()}};
    ASSERT_EQ(ERROR_SUCCESS, store.CreateKeys());

    THeapString text;
    EXPECT_EQ(ERROR_SUCCESS, store.ReadString("Color", text));
    EXPECT_EQ(text, "blue");
    DWORD read = 0;
    EXPECT_EQ(ERROR_SUCCESS, store.ReadDword("Level", read));
    EXPECT_EQ(7u, read);

    EXPECT_EQ(ERROR_SUCCESS, store.WriteString("Color", "red"));
    TRawValue value;
    ASSERT_TRUE(key.Get("Specific", "Color", value));
    EXPECT_EQ(DWORD(REG_SZ), value.type);
    EXPECT_EQ(std::string("red", 4), value.bytes); // the terminator is counted in the size
    ASSERT_TRUE(key.Get("General", "Color", value));
    EXPECT_EQ(std::string("blue", 5), value.bytes);
    EXPECT_EQ(ERROR_SUCCESS, store.ReadString("Color", text));
    EXPECT_EQ(text, "red");

    EXPECT_EQ(ERROR_SUCCESS, store.DeleteValue("Color"));
    EXPECT_EQ(ERROR_SUCCESS, store.ReadString("Color", text));
    EXPECT_EQ(text, "blue");
    EXPECT_EQ(ERROR_SUCCESS, store.DeleteValueInAllKeys("Color"));
    EXPECT_NE(ERROR_SUCCESS, store.ReadString("Color", text));
    Close(store);
}

TEST_F(RegistryStoreTest, TextOfBufferSizeOrMoreReadsAsMissingAndFallsBack)
{
    TRegistryStore store{{nullptr, HKEY_CURRENT_USER, key.Path("General").c_str()},
                         {nullptr, HKEY_CURRENT_USER, key.Path("Specific").c_str()}};
    ASSERT_EQ(ERROR_SUCCESS, store.CreateKeys());
    const std::string fits(1023, 'a');
    const std::string tooLong(1024, 'b');
    ASSERT_EQ(ERROR_SUCCESS, store.WriteString("Fits", fits.c_str()));
    ASSERT_EQ(ERROR_SUCCESS, store.WriteString("TooLong", tooLong.c_str()));

    THeapString text("default");
    EXPECT_EQ(ERROR_SUCCESS, store.ReadString("Fits", text));
    EXPECT_EQ(fits, text.Text());
    EXPECT_NE(ERROR_SUCCESS, store.ReadString("TooLong", text));
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_FALSE(TRegStringValue(store, "TooLong").Exists());

    // The shorter value of the general key stands in for the unreadable specific one.
    ASSERT_EQ(ERROR_SUCCESS, key.SetRaw("General", "TooLong", REG_SZ, "short", 6));
    EXPECT_EQ(ERROR_SUCCESS, store.ReadString("TooLong", text));
    EXPECT_EQ(text, "short");
    Close(store);
}

TEST_F(RegistryStoreTest, MissingValuesLeaveDefaults)
{
    TRegistryStore store = key.Store();
    ASSERT_EQ(ERROR_SUCCESS, store.CreateKeys());

    DWORD number = 77;
    EXPECT_NE(ERROR_SUCCESS, store.ReadDword("None", number));
    EXPECT_EQ(77u, number);
    THeapString text("default");
    EXPECT_NE(ERROR_SUCCESS, store.ReadString("None", text));
    EXPECT_TRUE(text.IsEmpty());
    std::vector<unsigned char> data{1, 2};
    EXPECT_NE(ERROR_SUCCESS, store.ReadBinary("None", data));
    EXPECT_TRUE(data.empty());
    THeapStringList list;
    list.Append("stale");
    EXPECT_NE(ERROR_SUCCESS, store.ReadMultiString("None", list));
    EXPECT_EQ(0, list.Count());

    EXPECT_FALSE(TRegStringValue(store, "None").Exists());
    EXPECT_FALSE(TRegBinaryValue(store, "None").Exists());
    TRegDwordValue dword(store, "None");
    EXPECT_FALSE(dword.Exists());
    EXPECT_EQ(5u, dword.Get(5));
    Close(store);

    // An unopened store reads nothing and writes nowhere.
    EXPECT_EQ(ERROR_INVALID_HANDLE, store.WriteDword("None", 1));
    EXPECT_NE(ERROR_SUCCESS, store.ReadDword("None", number));
    EXPECT_EQ(77u, number);
}

TEST_F(RegistryStoreTest, ValuesAreReadAsRawBytesWhateverTheirType)
{
    TRegistryStore store = key.Store();
    ASSERT_EQ(ERROR_SUCCESS, store.CreateKeys());
    ASSERT_EQ(ERROR_SUCCESS, store.WriteDword("Number", 0x00434241));
    THeapString text;
    EXPECT_EQ(ERROR_SUCCESS, store.ReadString("Number", text));
    EXPECT_EQ(text, "ABC");
    std::vector<unsigned char> data;
    EXPECT_EQ(ERROR_SUCCESS, store.ReadBinary("Number", data));
    EXPECT_THAT(data, ElementsAre(0x41, 0x42, 0x43, 0x00));

    const unsigned char pair[2] = {0x58, 0x59};
    ASSERT_EQ(ERROR_SUCCESS, store.WriteBinary("Pair", pair, 2));
    EXPECT_EQ(ERROR_SUCCESS, store.ReadString("Pair", text));
    EXPECT_EQ(text, "XY"); // no terminator stored, none read past the data
    EXPECT_EQ(ERROR_SUCCESS, store.WriteBinary("Empty", nullptr, 0));
    data.assign(3, 0);
    EXPECT_EQ(ERROR_SUCCESS, store.ReadBinary("Empty", data));
    EXPECT_TRUE(data.empty());
    EXPECT_TRUE(TRegBinaryValue(store, "Empty").Exists());
    Close(store);
}

TEST_F(RegistryStoreTest, WrongTypesNeverBecomeNumbers)
{
    TRegistryStore store = key.Store();
    ASSERT_EQ(ERROR_SUCCESS, store.CreateKeys());
    ASSERT_EQ(ERROR_SUCCESS, store.WriteString("LongText", "12345"));
    ASSERT_EQ(ERROR_SUCCESS, store.WriteString("ShortText", "ab"));
    const unsigned char pair[2] = {0xFF, 0xFF};
    ASSERT_EQ(ERROR_SUCCESS, store.WriteBinary("Pair", pair, 2));

    for (const char* name : {"LongText", "ShortText", "Pair"}) {
        DWORD number = 0x12345678;
        EXPECT_NE(ERROR_SUCCESS, store.ReadDword(name, number)) << name;
        EXPECT_EQ(0x12345678u, number) << name;
        EXPECT_FALSE(TRegDwordValue(store, name).Exists()) << name;
    }
    THeapStringList list;
    EXPECT_EQ(ERROR_SUCCESS, store.ReadMultiString("ShortText", list));
    EXPECT_THAT(Names(list), ElementsAre("ab"));
    Close(store);
}

TEST_F(RegistryStoreTest, MultiStringRoundTrip)
{
    TRegistryStore store = key.Store();
    ASSERT_EQ(ERROR_SUCCESS, store.CreateKeys());
    THeapStringList written;
    written.Append("C:\\Music\\one.wav");
    written.Append("two.mid");
    written.Append("\x95\x5C.wav");
    ASSERT_EQ(ERROR_SUCCESS, store.WriteMultiString("List", written));

    TRawValue value;
    ASSERT_TRUE(key.Get("", "List", value));
    EXPECT_EQ(DWORD(REG_MULTI_SZ), value.type);
    static const char expected[] = "C:\\Music\\one.wav\0two.mid\0\x95\x5C.wav\0"; // and the literal's own NUL
    EXPECT_EQ(std::string(expected, sizeof expected), value.bytes);

    THeapStringList read;
    EXPECT_EQ(ERROR_SUCCESS, store.ReadMultiString("List", read));
    EXPECT_THAT(Names(read), ElementsAre("C:\\Music\\one.wav", "two.mid", "\x95\x5C.wav"));

    written.Clear();
    ASSERT_EQ(ERROR_SUCCESS, store.WriteMultiString("List", written));
    EXPECT_EQ(ERROR_SUCCESS, store.ReadMultiString("List", read));
    EXPECT_EQ(0, read.Count());
    Close(store);
}

TEST_F(RegistryStoreTest, CreateOpenAndDeleteKeys)
{
    TRegistryStore missing = key.Store("Never");
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, missing.OpenKeys());
    EXPECT_EQ(nullptr, missing.FirstHandle());
    EXPECT_FALSE(key.KeyExists("Never"));

    TRegistryStore deep = key.Store("A\\B\\C\\D\\"); // a trailing backslash as the library key has
    ASSERT_EQ(ERROR_SUCCESS, deep.CreateKeys());
    EXPECT_NE(nullptr, deep.FirstHandle());
    EXPECT_TRUE(key.KeyExists("A\\B\\C\\D"));
    Close(deep);
    EXPECT_EQ(nullptr, deep.FirstHandle());
    EXPECT_EQ(ERROR_SUCCESS, deep.OpenKeys());
    EXPECT_EQ(ERROR_SUCCESS, deep.WriteDword("Kept", 1));

    // A copy shares the key but closing it leaves the original's handle open.
    TRegistryStore copy(deep);
    EXPECT_EQ(deep.FirstHandle(), copy.FirstHandle());
    copy.CloseKeys();
    DWORD number = 0;
    EXPECT_EQ(ERROR_SUCCESS, deep.ReadDword("Kept", number));

    EXPECT_EQ(ERROR_SUCCESS, deep.DeleteKeys());
    EXPECT_EQ(nullptr, deep.FirstHandle());
    EXPECT_FALSE(key.KeyExists("A\\B\\C\\D"));
    EXPECT_TRUE(key.KeyExists("A\\B\\C"));

    TRegistryStore pair{{nullptr, HKEY_CURRENT_USER, key.Path("A\\B\\C").c_str()},
                        {nullptr, HKEY_CURRENT_USER, key.Path("Other").c_str()}};
    ASSERT_EQ(ERROR_SUCCESS, pair.CreateKeys());
    EXPECT_EQ(ERROR_SUCCESS, pair.DeleteKeys(1));
    EXPECT_EQ(nullptr, pair.Handle(1));
    EXPECT_FALSE(key.KeyExists("Other"));
    EXPECT_TRUE(key.KeyExists("A\\B\\C"));
    Close(pair);
}

TEST_F(RegistryStoreTest, EnumeratesNamesAndDeletesAllValues)
{
    TRegistryStore store = key.Store();
    ASSERT_EQ(ERROR_SUCCESS, store.CreateKeys());
    THeapStringList names;
    names.Append("stale");
    TRegistryStore::EnumValueNames(store.FirstHandle(), names);
    EXPECT_EQ(0, names.Count());
    names.Append("stale");
    EXPECT_EQ(ERROR_NO_MORE_ITEMS, TRegistryStore::EnumSubkeyNames(store.FirstHandle(), names));
    EXPECT_EQ(0, names.Count());

    store.WriteDword("First", 1);
    store.WriteString("Second", "2");
    ASSERT_EQ(ERROR_SUCCESS, key.SetRaw("Sub1", "x", REG_DWORD, "\0\0\0\0", 4));
    ASSERT_EQ(ERROR_SUCCESS, key.SetRaw("Sub2", "x", REG_DWORD, "\0\0\0\0", 4));
    TRegistryStore::EnumValueNames(store.FirstHandle(), names);
    EXPECT_THAT(Names(names), UnorderedElementsAre("First", "Second"));
    EXPECT_EQ(ERROR_NO_MORE_ITEMS, TRegistryStore::EnumSubkeyNames(store.FirstHandle(), names));
    EXPECT_THAT(Names(names), UnorderedElementsAre("Sub1", "Sub2"));

    EXPECT_EQ(ERROR_SUCCESS, TRegistryStore::DeleteAllValues(store.FirstHandle()));
    TRegistryStore::EnumValueNames(store.FirstHandle(), names);
    EXPECT_EQ(0, names.Count());
    EXPECT_TRUE(key.KeyExists("Sub1")); // subkeys are not values
    Close(store);
}

TEST_F(RegistryStoreTest, SectionsOpenSubkeysThroughACopy)
{
    const TRegistryStore parent = key.Store();
    HKEY parentCopyHandle = nullptr;
    {
        TRegistrySection view(parent, "View");
        ASSERT_EQ(ERROR_SUCCESS, view.Result());
        EXPECT_EQ(ERROR_SUCCESS, view.Store().WriteDword("FontStyle", 1));
        parentCopyHandle = view.Store().Parent(0);

        TRegistrySection inner(view, "Inner");
        EXPECT_EQ(ERROR_SUCCESS, inner.Store().WriteString("Deep", "yes"));

        TRegistrySection same(parent, "");
        EXPECT_EQ(ERROR_SUCCESS, same.Store().WriteString("Top", "here"));
    }
    EXPECT_EQ(nullptr, parent.FirstHandle());
    EXPECT_EQ(ERROR_INVALID_HANDLE, RegQueryInfoKeyA(parentCopyHandle, nullptr, nullptr, nullptr, nullptr, nullptr,
                                                     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
    TRawValue value;
    ASSERT_TRUE(key.Get("View", "FontStyle", value));
    EXPECT_EQ(std::string("\1\0\0\0", 4), value.bytes);
    EXPECT_TRUE(key.Get("View\\Inner", "Deep", value));
    EXPECT_TRUE(key.Get("", "Top", value));
    EXPECT_FALSE(key.Get("", "FontStyle", value));

    // A parent that cannot be opened gives a section whose reads keep their defaults.
    TRegistryStore broken{{nullptr, nullptr, "Nowhere"}};
    TRegistrySection lost(broken, "View");
    EXPECT_NE(ERROR_SUCCESS, lost.Result());
    EXPECT_EQ(9u, TRegDwordValue(lost.Store(), "FontStyle").Get(9));
}

TEST_F(RegistryStoreTest, GlobalStoresNeverHoldAnOpenKey)
{
    CreateGlobalStores(key.Path("App").c_str());
    ASSERT_EQ(1, LibraryStore().Count());
    EXPECT_EQ(HKEY_CURRENT_USER, LibraryStore().Parent(0));
    EXPECT_EQ(LibraryStore().Path(0), "Software\\Orvik\\VantryLibrary\\");
    EXPECT_EQ(HKEY_CURRENT_USER, PredefinedRoot(RootCurrentUser));
    {
        TRegistrySection silent(ApplicationStore(), "Silent");
        EXPECT_EQ(ERROR_SUCCESS, silent.Store().WriteString("Title", "log"));
        EXPECT_EQ(TRegStringValue(silent.Store(), "Title").Get(), "log");
    }
    EXPECT_EQ(nullptr, ApplicationStore().FirstHandle());
    EXPECT_TRUE(key.KeyExists("App\\Silent"));
    DestroyGlobalStores();
    EXPECT_EQ(0, ApplicationStore().Count());
    EXPECT_EQ(0, LibraryStore().Count());
}

} // namespace
