// Stepping through Shift-JIS text, the byte classes and the line helpers.
#include "foundation/CharText.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

int Length(const char* text) { return static_cast<int>(std::strlen(text)); }

} // namespace

TEST(CharText, CharLengthKeepsPairsWhole)
{
    EXPECT_EQ(2, CharLength(2, "\x95\x5C"));  // trail byte 0x5C is no backslash
    EXPECT_EQ(1, CharLength(1, "\x95"));      // a lead byte as last byte stands alone
    EXPECT_EQ(0, CharLength(0, ""));
    EXPECT_EQ(0, CharLength(-3, ""));
    EXPECT_EQ(2, CharLength(2, "\r\n"));
    EXPECT_EQ(2, CharLength(2, "\n\r"));
    EXPECT_EQ(1, CharLength(2, "\r\r"));
    EXPECT_EQ(1, CharLength(2, "\x95\xFF")); // 0xFF is no trail byte
    EXPECT_EQ(2, CharLength(3, "\xE0\x01x"));
    EXPECT_EQ(2, CharLength(3, "\xFC\xFEx"));
    EXPECT_EQ(1, CharLength(3, "\xA0\x40x")); // between the lead ranges
    EXPECT_EQ(1, CharLength(3, "\xFD\x40x"));
    EXPECT_EQ(1, CharLength(3, "\xB1\x40x")); // half-width katakana is one byte

    EXPECT_TRUE(IsLeadByte(0x81));
    EXPECT_TRUE(IsLeadByte(0x9F));
    EXPECT_TRUE(IsLeadByte(0xE0));
    EXPECT_TRUE(IsLeadByte(0xFC));
    EXPECT_FALSE(IsLeadByte(0x80));
    EXPECT_FALSE(IsLeadByte(0xA0));
    EXPECT_FALSE(IsLeadByte(0xDF));
    EXPECT_FALSE(IsLeadByte(0xFD));
}

TEST(CharText, ByteClassesAreAsciiOnly)
{
    EXPECT_TRUE(IsDigitChar('0') && IsDigitChar('9'));
    EXPECT_FALSE(IsDigitChar('a') || IsDigitChar('\x82'));
    EXPECT_TRUE(IsHexDigitChar('f') && IsHexDigitChar('F') && IsHexDigitChar('7'));
    EXPECT_FALSE(IsHexDigitChar('g') || IsHexDigitChar('G'));
    EXPECT_TRUE(IsUpperChar('Z') && !IsUpperChar('z'));
    EXPECT_TRUE(IsLowerChar('a') && !IsLowerChar('A'));
    EXPECT_FALSE(IsAlphaChar('\xC1') || IsAlphaChar('@') || IsAlphaChar('['));
    EXPECT_TRUE(IsIdentifierChar('_') && IsIdentifierChar('q') && IsIdentifierChar('5'));
    EXPECT_FALSE(IsIdentifierChar('-') || IsIdentifierChar(' '));
    EXPECT_TRUE(IsLineBreak('\r') && IsLineBreak('\n') && !IsLineBreak('\t'));
    EXPECT_FALSE(IsNotControl('\t') || IsNotControl('\r') || IsNotControl('\n'));
    EXPECT_TRUE(IsNotControl(' ') && IsNotControl('\x01') && IsNotControl('\x95'));
}

TEST(CharText, LineHelpers)
{
    EXPECT_EQ(3, LineLength(Length("abc\r\nd"), "abc\r\nd"));
    EXPECT_EQ(5, LineSpan(Length("abc\r\nd"), "abc\r\nd"));
    EXPECT_EQ(4, LineSpan(Length("abc\rd"), "abc\rd"));
    EXPECT_EQ(5, LineSpan(Length("abc\n\rd"), "abc\n\rd"));
    EXPECT_EQ(3, LineSpan(3, "abc"));
    EXPECT_EQ(2, LineLength(2, "abc")); // never past the given length
    EXPECT_EQ(2, LineLength(5, "ab\0cd"));
    // A lead byte followed by a line feed makes one two-byte character, not a break.
    EXPECT_EQ(3, LineLength(3, "\x81\nx"));

    EXPECT_EQ(0, LineCount(0, ""));
    EXPECT_EQ(1, LineCount(3, "abc"));
    EXPECT_EQ(1, LineCount(5, "abc\r\n"));
    EXPECT_EQ(2, LineCount(6, "abc\r\nd"));
    EXPECT_EQ(3, LineCount(3, "\n\n\n"));
    EXPECT_EQ(2, LineCount(4, "\r\n\r\n"));
    EXPECT_EQ(1, LineCount(5, "ab\0\ncd"));
}
