// Tests of StringPool.
#include "browser/string_pool.h"

#include <gtest/gtest.h>

#include <string>

TEST(StringPool, TextsLieOneAfterAnotherAndClearKeepsTheBlock) {
    StringPool pool;
    ASSERT_TRUE(pool.Init(100, 50));
    EXPECT_EQ(pool.Add("abc"), 0);
    EXPECT_EQ(pool.Add(" ", "Src"), 4);
    EXPECT_EQ(pool.UsedBytes(), 9u);
    EXPECT_STREQ(pool.At(0), "abc");
    EXPECT_STREQ(pool.At(4), " Src");
    pool.Clear();
    EXPECT_EQ(pool.Add("xy"), 0);
    EXPECT_EQ(pool.Capacity(), 100u);
}

TEST(StringPool, GrowsWhenATextAndItsTerminatorNoLongerFit) {
    StringPool pool;
    ASSERT_TRUE(pool.Init(32000, 16000));
    std::string name(30, 'n');
    while (pool.UsedBytes() + 31 <= 32000) {
        ASSERT_GE(pool.Add(name.c_str()), 0);
    }
    EXPECT_EQ(pool.Capacity(), 32000u);
    std::int64_t offset = pool.Add(name.c_str());
    EXPECT_EQ(pool.Capacity(), 48000u);
    EXPECT_EQ(pool.At(static_cast<std::uint32_t>(offset)), name);
    EXPECT_EQ(pool.At(0), name);
}

TEST(StringPool, ATextLongerThanAStepGrowsAsManySteps) {
    StringPool pool;
    ASSERT_TRUE(pool.Init(8, 4));
    EXPECT_EQ(pool.Add(std::string(20, 'x').c_str()), 0);
    EXPECT_EQ(pool.Capacity(), 24u);
}

TEST(StringPool, RefusesWhenItCannotGrow) {
    StringPool pool;
    EXPECT_EQ(pool.Add("x"), -1);  // no block
    EXPECT_FALSE(pool.Init(0, 10));
    ASSERT_TRUE(pool.Init(4, 0));
    EXPECT_EQ(pool.Add("abc"), 0);
    EXPECT_EQ(pool.Add("d"), -1);
    EXPECT_EQ(pool.UsedBytes(), 4u);
}
