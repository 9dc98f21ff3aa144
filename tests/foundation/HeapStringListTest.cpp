// THeapStringList: inserting, deleting, moving, finding, sorting and splitting.
#include "foundation/HeapStringList.h"
#include "foundation/StringOperations.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The items joined by "|", to compare a whole list in one expectation.
std::string Joined(const THeapStringList& list)
{
    std::string joined;
    for (int i = 0; i < list.Count(); ++i) {
        if (i > 0) joined += '|';
        joined += list.Item(i).Text();
    }
    return joined;
}

THeapStringList ListOf(const char* commaText)
{
    THeapStringList list;
    list.SplitCommaList(commaText);
    return list;
}

} // namespace

TEST(HeapStringList, AppendInsertAndCopies)
{
    THeapStringList list;
    EXPECT_EQ(0, list.Count());
    EXPECT_EQ(-1, list.Find("a"));

    list.Append("b");
    list.Insert(0, "a");            // to the front
    list.Insert(list.Count(), "d"); // at the end...
    list.Append("e");               // ...and an append follows it
    list.Insert(2, "c");            // before the item now at 2
    list.Insert(-1, "f");           // -1 appends
    list.Insert(-7, "0");           // any other index below 1 goes to the front
    EXPECT_EQ("0|a|b|c|d|e|f", Joined(list));

    char text[] = "x";
    list.Append(text);
    text[0] = 'y'; // the list keeps its own copy
    EXPECT_STREQ("x", list.Item(7).Text());

    THeapStringList copy(list);
    copy.Item(0) = "changed";
    EXPECT_STREQ("0", list.Item(0).Text());
    list.AppendList(list); // appending a list to itself doubles it once
    EXPECT_EQ(16, list.Count());

    const THeapString array[] = {"p", "q"};
    THeapStringList fromArray;
    fromArray.AppendArray(2, array);
    fromArray.AppendArray(0, nullptr);
    EXPECT_EQ("p|q", Joined(fromArray));
    fromArray = copy;
    EXPECT_EQ(8, fromArray.Count());
    EXPECT_STREQ("changed", fromArray.Item(0).Text());
}

TEST(HeapStringList, WalkingVisitsEveryItemInOrderAndCanChangeThem)
{
    THeapStringList list = ListOf("a,b,c");
    std::string seen;
    for (const THeapString& item : static_cast<const THeapStringList&>(list)) seen += item.Text();
    EXPECT_EQ("abc", seen);
    for (THeapString& item : list) item = Concat(item, "!");
    EXPECT_EQ("a!|b!|c!", Joined(list));
    list.Delete(1);
    seen.clear();
    for (const THeapString& item : list) seen += item.Text();
    EXPECT_EQ("a!c!", seen); // the links follow a deletion
    THeapStringList empty;
    for (const THeapString& item : empty) ADD_FAILURE() << item.Text();
}

TEST(HeapStringList, DeleteAndClear)
{
    THeapStringList list = ListOf("a,b,c,d,e");
    list.Delete(0);
    EXPECT_EQ("b|c|d|e", Joined(list));
    list.Delete(3);
    EXPECT_EQ("b|c|d", Joined(list));
    list.DeleteRange(1, 1);
    EXPECT_EQ("b|d", Joined(list));
    list.Append("z"); // the last link stays right after deleting at the end
    EXPECT_EQ("b|d|z", Joined(list));
    list.Clear();
    EXPECT_EQ(0, list.Count());
    list.Clear();
    list.Append("again");
    EXPECT_EQ("again", Joined(list));
}

TEST(HeapStringList, MoveRange)
{
    THeapStringList list = ListOf("a,b,c");
    list.MoveRange(0, 2, 1);
    EXPECT_EQ("c|a|b", Joined(list));

    list = ListOf("a,b,c");
    list.MoveRange(-1, 0, 1);
    EXPECT_EQ("b|c|a", Joined(list));

    list = ListOf("a,b,c,d,e");
    list.MoveRange(1, 3, 2);
    EXPECT_EQ("a|d|e|b|c", Joined(list));
    list.MoveRange(5, 0, 2); // before the end is to the end
    EXPECT_EQ("e|b|c|a|d", Joined(list));

    // No-ops: n <= 0, n >= count, target inside or just after the range, a bad range.
    list = ListOf("a,b,c,d");
    list.MoveRange(0, 1, 0);
    list.MoveRange(0, 1, -2);
    list.MoveRange(0, 0, 4);
    list.MoveRange(1, 1, 2);
    list.MoveRange(3, 1, 2);
    list.MoveRange(0, 3, 2);
    list.MoveRange(0, -1, 1);
    EXPECT_EQ("a|b|c|d", Joined(list));
    list.Append("e"); // links still sound
    list.Insert(0, "0");
    EXPECT_EQ("0|a|b|c|d|e", Joined(list));
}

TEST(HeapStringList, FindAndSort)
{
    THeapStringList list = ListOf("b,B,a,b");
    EXPECT_EQ(0, list.Find("b"));
    EXPECT_EQ(1, list.Find("B")); // case-sensitive
    EXPECT_EQ(-1, list.Find("A"));

    list = ListOf("b,B,a");
    list.Sort(1);
    EXPECT_EQ("B|a|b", Joined(list));
    list.Sort(0);
    EXPECT_EQ("b|a|B", Joined(list));
    list.Append("z"); // the last link follows the sort
    EXPECT_EQ("b|a|B|z", Joined(list));

    // Unsigned bytes: Shift-JIS after ASCII, a prefix first.
    list = ListOf("\x82\xA0,z,ab,a,\xB1");
    list.Sort(1);
    EXPECT_EQ("a|ab|z|\x82\xA0|\xB1", Joined(list));

    // Stable both ways: equal texts keep their order, told apart by their buffers.
    THeapStringList same = ListOf("k,k,k,j,k");
    const char* order[] = {same.Item(0).Text(), same.Item(1).Text(), same.Item(2).Text(),
                           same.Item(4).Text()};
    same.Sort(1);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(order[i], same.Item(i + 1).Text());
    same.Sort(0);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(order[i], same.Item(i).Text());

    THeapStringList empty;
    empty.Sort(1);
    EXPECT_EQ(0, empty.Count());
}

TEST(HeapStringList, SplitCommaList)
{
    EXPECT_EQ("a||b", Joined(ListOf("a,,b")));
    EXPECT_EQ("|a", Joined(ListOf(",a")));
    EXPECT_EQ(1, ListOf("a,").Count());
    EXPECT_EQ(0, ListOf("").Count());
    // 0x2C after a lead byte is the trail byte of one character, not a separator.
    THeapStringList list = ListOf("\x81\x2C" "x,y");
    EXPECT_EQ(2, list.Count());
    EXPECT_STREQ("\x81\x2C" "x", list.Item(0).Text());
    list.SplitCommaList("only"); // replaces what was there
    EXPECT_EQ("only", Joined(list));
}
