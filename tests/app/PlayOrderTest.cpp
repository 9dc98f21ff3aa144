// The play order: the generator's sequence and the no-repeat draw.
#include <gtest/gtest.h>

#include "app/PlayOrder.h"
#include "support/StringLists.h"

TEST(PlayOrderTest, GeneratorFollowsTheLinearCongruentialRule)
{
    TPlayOrder order;
    order.Seed(1);
    // state 1 -> 22695478 -> ...; the number is bits 16..30 of the new state.
    EXPECT_EQ(order.NextNumber(), static_cast<int>((22695478u >> 16) & 0x7FFF));
    const uint32_t second = 22695478u * 22695477u + 1u;
    EXPECT_EQ(order.NextNumber(), static_cast<int>((second >> 16) & 0x7FFF));
    order.Seed(0xFFFFFFFFu);
    for (int i = 0; i < 1000; ++i) {
        int n = order.NextNumber();
        ASSERT_GE(n, 0);
        ASSERT_LE(n, 32767);
    }
}

TEST(PlayOrderTest, TwoEntriesAlternateAndOneEntryRepeats)
{
    TPlayOrder order;
    order.Seed(12345);
    THeapStringList two = ListOf({"C:\\a.wav", "C:\\b.wav"});
    THeapString current;
    for (int i = 0; i < 50; ++i) {
        int index = order.Draw(two, current, 1000u + static_cast<uint32_t>(i));
        ASSERT_NE(two.Item(index), current) << "draw " << i;
        current = two.Item(index);
    }
    THeapStringList one = ListOf({"C:\\a.wav"});
    EXPECT_EQ(order.Draw(one, "C:\\a.wav", 7), 0);
    EXPECT_EQ(order.Draw(THeapStringList(), "", 7), -1);
}

TEST(PlayOrderTest, DrawEndsWhenEveryEntryIsTheCurrentOne)
{
    TPlayOrder order;
    order.Seed(99);
    THeapStringList same = ListOf({"C:\\a.wav", "C:\\a.wav", "C:\\a.wav"});
    int index = order.Draw(same, "C:\\a.wav", 5);
    EXPECT_GE(index, 0);
    EXPECT_LT(index, 3);
}

TEST(PlayOrderTest, ComparisonIsCaseSensitiveAndEveryEntryGetsDrawn)
{
    TPlayOrder order;
    order.Seed(7);
    THeapStringList list = ListOf({"C:\\A.wav", "C:\\a.wav", "C:\\b.wav"});
    int seen[3] = {0, 0, 0};
    for (int i = 0; i < 300; ++i) ++seen[order.Draw(list, "C:\\A.wav", static_cast<uint32_t>(i))];
    EXPECT_EQ(seen[0], 0);
    EXPECT_GT(seen[1], 50);
    EXPECT_GT(seen[2], 50);
}
