// THeapString value semantics and formatting, and the identifier arrays.
#include "foundation/HeapString.h"
#include "foundation/IdArray.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

TEST(HeapString, EmptyAndValueSemantics)
{
    THeapString empty;
    EXPECT_STREQ("", empty.Text());
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(0, empty.Length());
    EXPECT_STREQ("", THeapString(nullptr).Text());
    EXPECT_STREQ("", THeapString(nullptr, 5).Text());
    EXPECT_STREQ("ab", THeapString("abc", 2).Text());

    THeapString original("\x95\x5C" "abc");
    THeapString copy(original);
    EXPECT_NE(original.Text(), copy.Text()); // its own buffer
    copy = "changed";
    EXPECT_STREQ("\x95\x5C" "abc", original.Text());

    const THeapString& same = original;
    original = same; // self-assignment keeps the text
    EXPECT_STREQ("\x95\x5C" "abc", original.Text());
    original = original.Text() + 2; // a tail of its own buffer
    EXPECT_STREQ("abc", original.Text());
    EXPECT_TRUE(original == "abc");
    EXPECT_EQ(0xFFu, THeapString("\xFF").Byte(0)); // bytes read unsigned
}

TEST(HeapString, FormatReplacesAndNeverOverruns)
{
    THeapString text("old");
    text.FormatSized(8, "%6.6d", 42);
    EXPECT_STREQ("000042", text.Text());
    text.FormatSized(8, "&%c", 'x');
    EXPECT_STREQ("&x", text.Text());
    text.Format("%s-%d", "a", 7);
    EXPECT_STREQ("a-7", text.Text());

    // Reserved: 4 x length("%s") + 64 = 72 bytes, so at most 71 characters survive.
    const std::string longText(1000, 'x');
    text.Format("%s", longText.c_str());
    EXPECT_EQ(71, text.Length());
    text.FormatSized(4, "%s", longText.c_str());
    EXPECT_STREQ("xxx", text.Text());
    text.FormatSized(0, "%s", longText.c_str());
    EXPECT_STREQ("", text.Text());
}

TEST(HeapString, ReserveAndRelease)
{
    THeapString text("before");
    char* buffer = text.Reserve(10);
    std::strcpy(buffer, "filled");
    text.Release();
    EXPECT_STREQ("filled", text.Text());
    EXPECT_EQ(6, text.Length());
}

TEST(IdArray, CountCopyAndCompare)
{
    const std::int32_t ids[] = {101, 102, 103, 0, 99};
    EXPECT_EQ(3, IdCount(ids));
    EXPECT_EQ(0, IdCount(nullptr));

    TIdArray copy(ids);
    EXPECT_EQ(3, copy.Count());
    EXPECT_EQ(3, copy.Capacity());
    EXPECT_EQ(0, copy.Values()[3]);
    EXPECT_TRUE(SameIds(ids, copy.Values())); // the 99 after the terminator does not count

    TIdArray roomy(ids, 6);
    EXPECT_EQ(6, roomy.Capacity());
    for (int i = 3; i <= 6; ++i) EXPECT_EQ(0, roomy.Values()[i]);
    EXPECT_TRUE(roomy == copy);
    roomy.Values()[3] = 104;
    EXPECT_EQ(4, roomy.Count());
    EXPECT_TRUE(roomy != copy);

    TIdArray small(ids, 1); // never fewer places than values
    EXPECT_EQ(3, small.Capacity());
    EXPECT_TRUE(small == copy);

    const std::int32_t prefix[] = {101, 102, 0};
    EXPECT_FALSE(SameIds(ids, prefix));
    EXPECT_TRUE(SameIds(nullptr, TIdArray().Values()));
    copy = TIdArray(prefix);
    EXPECT_EQ(2, copy.Count());
}
