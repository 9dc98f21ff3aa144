// Width and case conversion of Shift-JIS text, the quoted-part walk and TextMatch.
#include "foundation/CharacterWidth.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Shift-JIS bytes of the characters the cases use.
#define KA "\xB6"          // ｶ
#define KI "\xB7"          // ｷ
#define NA "\xC5"          // ﾅ
#define HA "\xCA"          // ﾊ
#define U "\xB3"           // ｳ
#define DAKU "\xDE"        // ﾞ
#define HANDAKU "\xDF"     // ﾟ
#define FULL_KA "\x83\x4A" // カ
#define FULL_GA "\x83\x4B" // ガ
#define FULL_GI "\x83\x4D" // ギ
#define FULL_NA "\x83\x69" // ナ
#define FULL_BA "\x83\x6F" // バ
#define FULL_PA "\x83\x70" // パ
#define FULL_VU "\x83\x94" // ヴ
#define FULL_DAKU "\x81\x4A"    // ゛
#define FULL_HANDAKU "\x81\x4B" // ゜

std::string Full(const char* text, unsigned mask) { return ToFullWidth(text, mask).Text(); }
std::string Half(const char* text, unsigned mask) { return ToHalfWidth(text, mask).Text(); }

TEST(CharacterWidth, FullWidthJoinsVoicedKanaPairs)
{
    EXPECT_EQ(FULL_GA FULL_GI, Full(KA DAKU KI DAKU, WidthKana));
    EXPECT_EQ(KA DAKU KI DAKU, Full(KA DAKU KI DAKU, WidthDigits));
    // Outside its class the pair stays two half-width bytes; the mark is not converted alone.
    EXPECT_EQ(KA DAKU, Full(KA DAKU, WidthSymbols));
    EXPECT_EQ(FULL_VU, Full(U DAKU, WidthKana));
    EXPECT_EQ(U DAKU, Full(U DAKU, WidthDigits | WidthSymbols));
    EXPECT_EQ(FULL_BA FULL_PA, Full(HA DAKU HA HANDAKU, WidthAll));
    // A kana without such a form keeps its mark as a character of its own.
    EXPECT_EQ(FULL_NA FULL_DAKU, Full(NA DAKU, WidthKana));
    EXPECT_EQ(FULL_KA FULL_HANDAKU, Full(KA HANDAKU, WidthKana));
    EXPECT_EQ(FULL_DAKU FULL_KA, Full(DAKU KA, WidthKana));
    EXPECT_EQ(FULL_KA, Full(KA, WidthKana)); // a kana at the very end
}

TEST(CharacterWidth, FullWidthConvertsOnlyTheClassesInTheMask)
{
    EXPECT_EQ("A\x82\x50 ", Full("A1 ", WidthDigits));
    EXPECT_EQ("\x82\x60\x82\x9A\x82\x58", Full("Az9", WidthAll));
    EXPECT_EQ("A\x82\x9A" "9", Full("Az9", WidthLower));
    EXPECT_EQ("\x81\x40\x81\x8F\x81\x4D\x81\x68\x81\x97", Full(" \\`\"@", WidthSymbols));
    EXPECT_EQ(" \\`\"@", Full(" \\`\"@", WidthAll & ~WidthSymbols));
    // The half-width corner brackets belong to the symbols, not to the kana.
    EXPECT_EQ("\x81\x75\xB1\x81\x76", Full("\xA2\xB1\xA3", WidthSymbols));
    EXPECT_EQ("\xA2\x83\x41\xA3", Full("\xA2\xB1\xA3", WidthKana));
    EXPECT_EQ("\x81\x42\x81\x41\x81\x45\x81\x5B", Full("\xA1\xA4\xA5\xB0", WidthKana));
    EXPECT_EQ("\x83\x43\x83\x47\x83\x92\x83\x93", Full("\xB2\xB4\xA6\xDD", WidthKana)); // ｲｴｦﾝ
    // Control bytes, DEL, and bytes that are no character of their own are kept.
    EXPECT_EQ("\t\x19\x7F\xA0", Full("\t\x19\x7F\xA0", WidthAll));
    EXPECT_EQ("", Full(nullptr, WidthAll));
}

TEST(CharacterWidth, FullWidthNeverSplitsTwoByteCharacters)
{
    // 表 ends in 0x5C and ア in 0x41: neither trail byte is a backslash or a letter.
    EXPECT_EQ("\x95\x5C\x83\x41\x81\x8F", Full("\x95\x5C\x83\x41\\", WidthAll));
    // A text cut after a lead byte keeps that byte.
    EXPECT_EQ("\x82\x81\x82", Full("a\x82", WidthAll));
    EXPECT_EQ("\x82\x81\xFC", Full("a\xFC", WidthAll));
    EXPECT_EQ("a\r\n\x81\x40", Full("a\r\n ", WidthSymbols));
}

TEST(CharacterWidth, HalfWidthSplitsVoicedKanaAndConvertsByClass)
{
    EXPECT_EQ(HA HANDAKU, Half(FULL_PA, WidthAll));
    EXPECT_EQ(KA DAKU U DAKU, Half(FULL_GA FULL_VU, WidthKana));
    EXPECT_EQ(FULL_GA, Half(FULL_GA, WidthDigits));
    EXPECT_EQ("\xB2\xB4\xDC", Half("\x83\x90\x83\x91\x83\x8E", WidthKana)); // ヰヱヮ
    EXPECT_EQ("\x83\x95\x83\x96", Half("\x83\x95\x83\x96", WidthAll));      // ヵヶ have no partner
    EXPECT_EQ(DAKU HANDAKU "\xB0", Half(FULL_DAKU FULL_HANDAKU "\x81\x5B", WidthKana));
    EXPECT_EQ(" \\\xA2\xA3\x81\x4D", Half("\x81\x40\x81\x8F\x81\x75\x81\x76\x81\x4D", WidthSymbols));
    EXPECT_EQ("A\x82\x81\x82\x4F", Half("\x82\x60\x82\x81\x82\x4F", WidthUpper));
    EXPECT_EQ("Aa0", Half("\x82\x60\x82\x81\x82\x4F", WidthAll));
    // One-byte characters, kanji and a lead byte cut off at the end are copied.
    EXPECT_EQ(KA "A\x95\x5C" "A\x82", Half(KA "A\x95\x5C\x82\x60\x82", WidthAll));
    EXPECT_EQ("", Half(nullptr, WidthAll));
}

TEST(CharacterWidth, EveryPairConvertsBackToItself)
{
    for (int byte = 0x20; byte <= 0xDF; ++byte) {
        if (byte == '`' || (byte > 0x7E && byte < 0xA1)) continue; // ` turns into ｀ for good
        const char text[] = {static_cast<char>(byte), '\0'};
        const THeapString full = ToFullWidth(text, WidthAll);
        EXPECT_EQ(2, full.Length()) << byte;
        EXPECT_STREQ(text, ToHalfWidth(full, WidthAll).Text()) << byte;
    }
    for (int code = 0x8340; code <= 0x8394; ++code) {
        if (code == 0x837F || code == 0x838E || code == 0x8390 || code == 0x8391) continue;
        const char text[] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF), '\0'};
        EXPECT_STREQ(text, ToFullWidth(ToHalfWidth(text, WidthKana), WidthKana).Text()) << std::hex << code;
    }
}

TEST(CharacterWidth, OneArgumentFormsConvertEveryClass)
{
    EXPECT_EQ(THeapString("\x82\x60\x82\x50\x81\x40" FULL_GA), ToFullWidth(THeapString("A1 " KA DAKU)));
    EXPECT_EQ(THeapString("A1 " KA DAKU), ToHalfWidth(THeapString("\x82\x60\x82\x50\x81\x40" FULL_GA)));
}

TEST(CharacterWidth, CaseOfAsciiAndFullWidthLetters)
{
    EXPECT_STREQ("\x82\x60\x82\x79" "C", ToUpper("\x82\x81\x82\x9A" "c").Text());
    EXPECT_STREQ("\x82\x81\x82\x9A" "c", ToLower("\x82\x60\x82\x79" "C").Text());
    // Trail bytes that look like letters, neighbours of the letter ranges, and kana stay.
    EXPECT_STREQ("\x83\x61\x83\x41" "@[`{" "\x82\x80\x82\x9B" KA, ToUpper("\x83\x61\x83\x41" "@[`{" "\x82\x80\x82\x9B" KA).Text());
    EXPECT_STREQ("\x83\x61\x83\x41" "@[`{" "\x82\x5F\x82\x7A", ToLower("\x83\x61\x83\x41" "@[`{" "\x82\x5F\x82\x7A").Text());
    EXPECT_STREQ("A\x82", ToUpper("a\x82").Text());
    EXPECT_STREQ("", ToLower(nullptr).Text());
}

TEST(CharacterWidth, QuotedPartsStayAsTheyAre)
{
    EXPECT_EQ(THeapString("\x83\x74\x83\x40\x83\x43\x83\x8B \"\xCC\xA7\xB2\xD9.txt\""),
              ConvertOutsideQuotes("\xCC\xA7\xB2\xD9 \"\xCC\xA7\xB2\xD9.txt\"", ToFullWidth, WidthKana));
    EXPECT_EQ(THeapString("\x83\x41\"\xB2\"\x83\x45\"\xB4"),
              ConvertOutsideQuotes("\xB1\"\xB2\"\xB3\"\xB4", ToFullWidth, WidthKana)); // unclosed: to the end
    // A quote inside a two-byte character is no quote; a pair split by a quote is not joined.
    EXPECT_EQ(THeapString("\x95\x22\x83\x41"), ConvertOutsideQuotes("\x95\x22\xB1", ToFullWidth, WidthKana));
    EXPECT_EQ(THeapString(FULL_KA "\"" DAKU "\""), ConvertOutsideQuotes(KA "\"" DAKU "\"", ToFullWidth, WidthKana));
    EXPECT_EQ(THeapString(KA DAKU "\"" FULL_GA "\"1"),
              ConvertOutsideQuotes(FULL_GA "\"" FULL_GA "\"\x82\x50", ToHalfWidth, WidthAll));
    EXPECT_EQ(THeapString("\"\""), ConvertOutsideQuotes("\"\"", ToFullWidth, WidthAll));
    EXPECT_EQ(THeapString(""), ConvertOutsideQuotes(nullptr, ToFullWidth, WidthAll));
}

TEST(CharacterWidth, ConversionForVersion)
{
    const TWidthConversion full = ToFullWidth;
    const TWidthConversion half = ToHalfWidth;
    EXPECT_EQ(half, ConversionForVersion(0));
    EXPECT_EQ(half, ConversionForVersion(67766221)); // 4.10.1997
    EXPECT_EQ(full, ConversionForVersion(67766222));
    EXPECT_EQ(full, ConversionForVersion(0x0A000000u | 19045)); // 10.0.19045
}

TEST(TextMatch, KindsOfMatch)
{
    EXPECT_EQ(NoMatch, TextMatch("abc", "b", MatchFind | MatchChars)); // not enabled
    EXPECT_EQ(2, TextMatch("abcabc", "ca", LibrarySearchFlags));
    EXPECT_EQ(0, TextMatch("abc", "", LibrarySearchFlags));
    EXPECT_EQ(NoMatch, TextMatch("abc", "abcd", LibrarySearchFlags));
    EXPECT_EQ(0, TextMatch("abc", "abc", MatchEnabled | MatchWhole));
    EXPECT_EQ(NoMatch, TextMatch("abc", "ab", MatchEnabled | MatchWhole | MatchFind)); // whole goes first
    EXPECT_EQ(0, TextMatch("abc", "ab", MatchEnabled | MatchPrefix));
    EXPECT_EQ(NoMatch, TextMatch("abc", "bc", MatchEnabled | MatchPrefix));
    EXPECT_EQ(1, TextMatch("abc", "bc", MatchEnabled | MatchSuffix));
    EXPECT_EQ(3, TextMatch("abc", "", MatchEnabled | MatchSuffix));
    EXPECT_EQ(NoMatch, TextMatch("abc", "b", MatchEnabled));
    EXPECT_EQ(0, TextMatch(nullptr, nullptr, MatchEnabled | MatchWhole));
}

TEST(TextMatch, CharacterAwareSearchSkipsTrailBytes)
{
    // 表 is 0x95 0x5C: its trail byte is no backslash to a character-aware search.
    EXPECT_EQ(2, TextMatch("\x95\x5C\\", "\\", LibrarySearchFlags));
    EXPECT_EQ(1, TextMatch("\x95\x5C\\", "\\", MatchEnabled | MatchFind | MatchBytes));
    EXPECT_EQ(2, TextMatch("\x95\x5C\\", "\\", MatchEnabled | MatchFind)); // neither kind: by characters
    // Nor does a match end inside a character.
    EXPECT_EQ(NoMatch, TextMatch("\x82\xA0x", "\x82", LibrarySearchFlags));
    EXPECT_EQ(NoMatch, TextMatch("\x95\x5C", "\x95", MatchEnabled | MatchPrefix));
    EXPECT_EQ(NoMatch, TextMatch("\x95\x5C", "\\", MatchEnabled | MatchSuffix));
    // Line-break bytes are still found one by one.
    EXPECT_EQ(1, TextMatch("a\r\nb", "\r", LibrarySearchFlags));
    EXPECT_EQ(2, TextMatch("a\r\n", "\n", MatchEnabled | MatchSuffix));
}

TEST(TextMatch, IgnoringCaseAndWidthReportsPositionsInTheText)
{
    EXPECT_EQ(2, TextMatch("HeLLo", "ll", LibrarySearchFlags | MatchIgnoreCase));
    EXPECT_EQ(1, TextMatch("x\x82\x60", "\x82\x81", LibrarySearchFlags | MatchIgnoreCase)); // Ａ / ａ
    EXPECT_EQ(NoMatch, TextMatch("x\x82\x60", "a", LibrarySearchFlags | MatchIgnoreCase));
    // ＡＢX searched for "BX": found at byte 2 of the text, not of its half-width copy.
    EXPECT_EQ(2, TextMatch("\x82\x60\x82\x61X", "BX", LibrarySearchFlags | MatchIgnoreWidth));
    EXPECT_EQ(3, TextMatch("abc" KA DAKU, FULL_GA, LibrarySearchFlags | MatchIgnoreWidth));
    EXPECT_EQ(0, TextMatch("\x82\x60" FULL_GA, "a" KA DAKU, MatchEnabled | MatchWhole | MatchIgnoreWidth | MatchIgnoreCase));
    EXPECT_EQ(2, TextMatch("\x82\x60" FULL_GA, KA DAKU, MatchEnabled | MatchSuffix | MatchIgnoreWidth));
    EXPECT_EQ(4, TextMatch("\x82\x60" FULL_GA, "", MatchEnabled | MatchSuffix | MatchIgnoreWidth));
}

} // namespace
