// The free string operations: cutting, joining, trimming, lines, serial names and numbers.
#include "foundation/StringOperations.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

TEST(StringOperations, ConcatWithTextsAndNumbers)
{
    EXPECT_STREQ("ab", Concat(THeapString("a"), THeapString("b")).Text());
    EXPECT_STREQ("a", Concat("a", static_cast<const char*>(nullptr)).Text());
    EXPECT_STREQ("n=5", Concat("n=", 5).Text());
    EXPECT_STREQ("n=-2147483648", Concat("n=", INT_MIN).Text());
    EXPECT_STREQ("v1.500000", Concat("v", 1.5).Text());
    EXPECT_STREQ("v1.500000", Concat("v", 1.5L).Text());
    EXPECT_STREQ("3rd", Concat(3, "rd").Text());
    EXPECT_STREQ("2.250000s", Concat(2.25, "s").Text());
    EXPECT_STREQ("-0.500000s", Concat(-0.5L, "s").Text());
    // A huge double prints in full: 301 digits and ".000000".
    EXPECT_EQ(1 + 301 + 7, Concat("x", 1e300).Length());
}

TEST(StringOperations, LeftRightMid)
{
    EXPECT_STREQ("ab", Left("abc", 2).Text());
    EXPECT_STREQ("abc", Left("abc", 3).Text());
    EXPECT_STREQ("abc", Left("abc", 99).Text());
    EXPECT_STREQ("", Left("abc", -1).Text());
    EXPECT_STREQ("bc", Right("abc", 2).Text());
    EXPECT_STREQ("abc", Right("abc", 10).Text());
    EXPECT_STREQ("", Right("abc", -5).Text());

    EXPECT_STREQ("bcd", Mid("abcdef", 2, 3).Text());
    EXPECT_STREQ("c", Mid("abc", 3, 5).Text());       // start at the length: the last byte
    EXPECT_STREQ("", Mid("abc", 4, 1).Text());        // start past the length: empty
    EXPECT_STREQ("bc", Mid("abc", 2, INT_MAX).Text());
    EXPECT_STREQ("ab", Mid("abc", 0, 2).Text());      // a start before 1 reads from the first byte
    EXPECT_STREQ("de", MidFromEnd("abcdef", 3, 2).Text());
    EXPECT_STREQ("a", MidFromEnd("abc", 3, 1).Text());
    EXPECT_STREQ("", MidFromEnd("abc", 4, 1).Text());
    EXPECT_STREQ("", MidFromEnd("abc", -1, 1).Text());
}

TEST(StringOperations, RemoveAllTrimmedRepeat)
{
    EXPECT_STREQ("ab", RemoveAll("aXXb", "X").Text());
    EXPECT_STREQ("", RemoveAll("aabb", "ab").Text()); // a cut that makes a new occurrence
    EXPECT_STREQ("xy", RemoveAll("xaaabbby", "ab").Text());
    EXPECT_STREQ("a\r\nb", RemoveAll("a\r\nb", "").Text());
    EXPECT_STREQ("line one", RemoveAll("line\r\n one\r\n", "\r\n").Text());

    EXPECT_STREQ("", Trimmed("").Text());
    EXPECT_STREQ("", Trimmed(" \t\r\n  \n\r").Text());
    EXPECT_STREQ("a b", Trimmed(" \t\r\na b \r\n").Text());
    // A two-byte character whose trail byte is 0x20 is not a space to trim.
    EXPECT_STREQ("\x95\x20", Trimmed(" \x95\x20").Text());
    EXPECT_STREQ("\x81\x40x\x81\x40", Trimmed("\t\x81\x40x\x81\x40\n").Text());

    EXPECT_STREQ("ababab", Repeat("ab", 3).Text());
    EXPECT_STREQ("", Repeat("ab", 0).Text());
    EXPECT_STREQ("", Repeat("ab", -1).Text());
    EXPECT_STREQ("", Repeat("", INT_MAX).Text());
}

TEST(StringOperations, LastCharKeepsCharactersWhole)
{
    EXPECT_STREQ("", LastChar("").Text());
    EXPECT_STREQ("\\", LastChar("C:\\dir\\").Text());
    EXPECT_STREQ("\x95\x5C", LastChar("C:\\\x95\x5C").Text()); // not a backslash
    EXPECT_STREQ("\r\n", LastChar("ab\r\n").Text());
    EXPECT_STREQ("\x95", LastChar("ab\x95").Text());          // a lone lead byte at the end
    EXPECT_STREQ("b", LastChar("abc", 2).Text());
    EXPECT_STREQ("\x95\x5C", LastChar("\x95\x5Cz", 2).Text());
    EXPECT_STREQ("\x95", LastChar("\x95\x5C", 1).Text());
    EXPECT_STREQ("", LastChar("abc", 0).Text());
    EXPECT_STREQ("", LastChar(nullptr, 4).Text());
}

TEST(StringOperations, GetLine)
{
    EXPECT_STREQ("b", GetLine("a\r\nb", 1, false, false).Text());
    EXPECT_STREQ("\r\n", GetLine("a\r\nb", 5, false, true).Text());
    EXPECT_STREQ("", GetLine("a\r\nb", 5, false, false).Text());
    EXPECT_STREQ("a\r\n", GetLine("a\r\nb", 0, true, false).Text());
    EXPECT_STREQ("a", GetLine("a\r\nb", 0, false, false).Text());
    EXPECT_STREQ("a\r\n", GetLine("a\r\nb", 0, false, true).Text());
    EXPECT_STREQ("b\r\n", GetLine("a\r\nb", 1, true, true).Text());
    EXPECT_STREQ("b\n", GetLine("a\nb\n", 1, true, true).Text()); // its own break is kept
    EXPECT_STREQ("", GetLine("a\r\n", 1, false, false).Text());   // nothing after the last break
    EXPECT_STREQ("\r\n", GetLine("", 0, false, true).Text());
    EXPECT_STREQ("", GetLine("a\r\n\r\nb", 1, false, false).Text());
    EXPECT_STREQ("b", GetLine("a\r\n\r\nb", 2, false, false).Text());
    EXPECT_STREQ("c", GetLine("\x81\nb\nc", 1, false, false).Text()); // 0x81 0x0A is one character
    EXPECT_STREQ("a", GetLine("a\nb", -3, false, false).Text());
}

TEST(StringOperations, NextSerialName)
{
    EXPECT_STREQ("Copy 2", NextSerialName("Copy").Text());
    EXPECT_STREQ("Copy 10", NextSerialName("Copy 9").Text());
    EXPECT_STREQ("13", NextSerialName("12").Text());
    EXPECT_STREQ("abc1 2", NextSerialName("abc1").Text());
    EXPECT_STREQ("a 1b 2", NextSerialName("a 1b").Text());
    EXPECT_STREQ("Track 8", NextSerialName("Track 07").Text());
    EXPECT_STREQ(" 2", NextSerialName("").Text());
    // A digit that is the trail byte of a two-byte character is not a number.
    EXPECT_STREQ("\x82\x31 2", NextSerialName("\x82\x31").Text());
    // Numbers past the integer range still count up.
    EXPECT_STREQ("x 2147483648", NextSerialName("x 2147483647").Text());
    EXPECT_STREQ("x 100000000000000000000", NextSerialName("x 99999999999999999999").Text());
}

TEST(StringOperations, Ellipsize)
{
    EXPECT_STREQ("abc", Ellipsize("abc", 3).Text());
    EXPECT_STREQ("abcd...", Ellipsize("abcdefghij", 6).Text());
    EXPECT_STREQ("a b  c", Ellipsize("a\tb\r\nc", 10).Text());
    // The cut falls after the two-byte character that spans byte position width - 2.
    EXPECT_STREQ("ab\x95\x5C...", Ellipsize("ab\x95\x5C" "cdef", 5).Text());
    EXPECT_STREQ("abc...", Ellipsize("abcdefghij", 5).Text());
    EXPECT_STREQ("...", Ellipsize("abc", 0).Text());
    EXPECT_STREQ("...", Ellipsize("abc", INT_MIN).Text());
    EXPECT_STREQ("\x81\t", Ellipsize("\x81\t", 5).Text()); // a tab trail byte stays
}

TEST(StringOperations, NormalizeAndGroupNumbers)
{
    EXPECT_STREQ("1234.5", NormalizeNumber("+001,234.500").Text());
    EXPECT_STREQ("1", NormalizeNumber("1.000").Text());
    EXPECT_STREQ("100", NormalizeNumber("100").Text()); // zeros before any point stay
    EXPECT_STREQ("0.5", NormalizeNumber(".5").Text());
    EXPECT_STREQ("0", NormalizeNumber("000").Text());
    EXPECT_STREQ("0", NormalizeNumber("0.0").Text());
    EXPECT_STREQ("0", NormalizeNumber(".000").Text());
    EXPECT_STREQ("-007", NormalizeNumber("-007").Text());
    EXPECT_STREQ("+x", NormalizeNumber("+x").Text());
    EXPECT_STREQ("\x82\x2C", NormalizeNumber("\x82\x2C").Text()); // a comma trail byte stays

    EXPECT_STREQ("1,234,567", GroupDigits("1234567").Text());
    EXPECT_STREQ("1,234.567,8", GroupDigits("1234.5678").Text());
    EXPECT_STREQ("123", GroupDigits("123").Text());
    EXPECT_STREQ("1,234", GroupDigits("1,2,3,4").Text());
    EXPECT_STREQ("-1,234", GroupDigits("-1234").Text());
    EXPECT_STREQ("-123", GroupDigits("-123").Text());
    EXPECT_STREQ("0.5", GroupDigits(".5").Text());
    EXPECT_STREQ("1,000,000", GroupDigits("1000000.000").Text());
    EXPECT_STREQ("0", GroupDigits("").Text());
    EXPECT_STREQ("12.345,6e1", GroupDigits("12.3456e10").Text());
}
