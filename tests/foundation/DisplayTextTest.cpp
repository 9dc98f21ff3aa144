// The display conversion: the "FontStyle" choice, its registry reading and the quoted parts.
#include <gtest/gtest.h>

#include <string>

#include "foundation/DisplayText.h"
#include "foundation/GlobalStores.h"
#include "foundation/SystemChecks.h"
#include "support/RegistryTestKey.h"

namespace {

const TWidthConversion Full = ToFullWidth;
const TWidthConversion Half = ToHalfWidth;

// The conversion that applies when "FontStyle" says nothing.
TWidthConversion Unset() { return ConversionForFontStyle(false, 0); }

TEST(DisplayText, FontStyleChoosesTheWidth)
{
    EXPECT_EQ(Half, ConversionForFontStyle(true, 1));
    EXPECT_EQ(Full, ConversionForFontStyle(true, 2));
    EXPECT_EQ(Full, ConversionForFontStyle(true, 0xFFFFFFFF));
    // 0 means "not set": both go by the taskbar, and that answer does not change.
    EXPECT_EQ(Unset(), ConversionForFontStyle(true, 0));
    EXPECT_EQ(Unset(), ConversionForFontStyle(false, 1));
    if (!FindWindowA("Shell_TrayWnd", nullptr) || HasRebarTaskbar()) {
        EXPECT_EQ(Full, Unset()); // only a taskbar without a rebar is an old shell
    }
}

TEST(DisplayText, ConvertsKatakanaOutsideQuotes)
{
    EXPECT_EQ(THeapString("ファイル \"ﾌｧｲﾙ.txt\""), DisplayText("ﾌｧｲﾙ \"ﾌｧｲﾙ.txt\"", Full));
    // Only kana and kana punctuation change; letters, digits and symbols keep their width.
    EXPECT_EQ(THeapString("ﾌｧｲﾙ｡ Ａ1｢ｶﾞ｣ \"ガ\""), DisplayText("ファイル。 Ａ1｢ガ｣ \"ガ\"", Half));
    EXPECT_EQ(THeapString("ガイド「A」"), DisplayText("ｶﾞｲﾄﾞ「A」", Full));
    EXPECT_EQ(DisplayText("ﾃｽﾄ \"ﾃｽﾄ\"", DisplayConversion()), DisplayText("ﾃｽﾄ \"ﾃｽﾄ\""));
}

class DisplayTextRegistryTest : public ::testing::Test {
protected:
    void TearDown() override { key.Remove(); }

    void SetStyle(DWORD type, const void* data, DWORD size)
    {
        ASSERT_EQ(ERROR_SUCCESS, key.SetRaw("View", "FontStyle", type, data, size));
    }

    TRegistryTestKey key;
};

TEST_F(DisplayTextRegistryTest, ReadsFontStyleFromTheViewSection)
{
    const TRegistryStore library = key.Store();
    EXPECT_EQ(Unset(), ReadDisplayConversion(library)); // missing
    DWORD style = 1;
    SetStyle(REG_DWORD, &style, sizeof style);
    EXPECT_EQ(Half, ReadDisplayConversion(library));
    style = 3;
    SetStyle(REG_DWORD, &style, sizeof style);
    EXPECT_EQ(Full, ReadDisplayConversion(library));
    style = 0;
    SetStyle(REG_DWORD, &style, sizeof style);
    EXPECT_EQ(Unset(), ReadDisplayConversion(library));
    // A value of another type is no setting at all.
    SetStyle(REG_SZ, "1", 2);
    EXPECT_EQ(Unset(), ReadDisplayConversion(library));
}

// Sets "FontStyle" in the real library key for one test and puts back whatever was there,
// removing the keys that the test's reading created.
class TFontStyleOverride {
public:
    TFontStyleOverride()
    {
        for (int i = 0; i < KeyCount; ++i) existed[i] = KeyExists(Keys[i]);
        HKEY view = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, Keys[KeyCount - 1], 0, KEY_READ, &view) == ERROR_SUCCESS) {
            DWORD size = sizeof saved;
            hadValue = RegQueryValueExA(view, "FontStyle", nullptr, &savedType, saved, &size) == ERROR_SUCCESS;
            savedSize = size;
            RegCloseKey(view);
        }
    }
    ~TFontStyleOverride()
    {
        HKEY view = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, Keys[KeyCount - 1], 0, KEY_SET_VALUE, &view) == ERROR_SUCCESS) {
            if (hadValue) RegSetValueExA(view, "FontStyle", 0, savedType, saved, savedSize);
            else RegDeleteValueA(view, "FontStyle");
            RegCloseKey(view);
        }
        for (int i = KeyCount - 1; i >= 0; --i) {
            if (!existed[i]) RegDeleteKeyA(HKEY_CURRENT_USER, Keys[i]);
        }
    }
    TFontStyleOverride(const TFontStyleOverride&) = delete;
    TFontStyleOverride& operator=(const TFontStyleOverride&) = delete;

    LONG Set(DWORD style)
    {
        HKEY view = nullptr;
        LONG result = RegCreateKeyExA(HKEY_CURRENT_USER, Keys[KeyCount - 1], 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                      &view, nullptr);
        if (result != ERROR_SUCCESS) return result;
        result = RegSetValueExA(view, "FontStyle", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&style), sizeof style);
        RegCloseKey(view);
        return result;
    }

private:
    static bool KeyExists(const char* path)
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }

    static constexpr int KeyCount = 3;
    static constexpr const char* Keys[KeyCount] = {"Software\\Orvik", "Software\\Orvik\\VantryLibrary",
                                                   "Software\\Orvik\\VantryLibrary\\View"};
    bool existed[KeyCount] = {};
    bool hadValue = false;
    DWORD savedType = 0;
    BYTE saved[TRegistryStore::ReadBufferSize] = {};
    DWORD savedSize = 0;
};

TEST(DisplayText, LibraryStoreHoldsTheSetting)
{
    const bool madeStores = LibraryStore().Count() == 0;
    if (madeStores) CreateGlobalStores("Software\\Orvik\\KelvaneTest\\DisplayText");
    {
        TFontStyleOverride override;
        ASSERT_EQ(ERROR_SUCCESS, override.Set(1));
        EXPECT_EQ(Half, ReadDisplayConversion(LibraryStore()));
        ASSERT_EQ(ERROR_SUCCESS, override.Set(2));
        EXPECT_EQ(Full, ReadDisplayConversion(LibraryStore()));
    }
    if (madeStores) DestroyGlobalStores();
}

} // namespace
