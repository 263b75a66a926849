// Tests of StringPool.
#include "browser/string_pool.h"

#include <gtest/gtest.h>

#include <string>

TEST(StringPool, TextsLieOneAfterAnother) {
    StringPool pool;
    ASSERT_TRUE(pool.Init(100, 50));
    EXPECT_EQ(pool.Add("abc"), 0);
    EXPECT_EQ(pool.Add(" ", "Src"), 4);
    EXPECT_EQ(pool.Add(""), 9);
    EXPECT_EQ(pool.UsedBytes(), 10u);
    EXPECT_STREQ(pool.At(0), "abc");
    EXPECT_STREQ(pool.At(4), " Src");
    EXPECT_STREQ(pool.At(9), "");
}

TEST(StringPool, GrowsOneStepWhenTheTextNoLongerFits) {
    StringPool pool;
    ASSERT_TRUE(pool.Init(32000, 16000));
    std::string name(30, 'n');
    int added = 0;
    while (pool.UsedBytes() + 31 <= 32000) {
        ASSERT_GE(pool.Add(name.c_str()), 0);
        ++added;
    }
    EXPECT_EQ(pool.Capacity(), 32000u);
    std::int64_t offset = pool.Add(name.c_str());
    EXPECT_EQ(offset, added * 31);
    EXPECT_EQ(pool.Capacity(), 48000u);
    EXPECT_EQ(pool.At(static_cast<std::uint32_t>(offset)), name);
    EXPECT_EQ(pool.At(0), name);
}

TEST(StringPool, ATextLongerThanAStepGrowsAsManySteps) {
    StringPool pool;
    ASSERT_TRUE(pool.Init(8, 4));
    std::string text(20, 'x');
    EXPECT_EQ(pool.Add(text.c_str()), 0);
    EXPECT_EQ(pool.Capacity(), 24u);
    EXPECT_EQ(pool.At(0), text);
}

TEST(StringPool, RefusesWhenItCannotGrow) {
    StringPool pool;
    EXPECT_EQ(pool.Add("x"), -1);  // no block
    EXPECT_FALSE(pool.Init(0, 10));
    ASSERT_TRUE(pool.Init(4, 0));
    EXPECT_EQ(pool.Add("abc"), 0);
    EXPECT_EQ(pool.Add("d"), -1);
    EXPECT_EQ(pool.UsedBytes(), 4u);
    EXPECT_EQ(pool.Capacity(), 4u);
}

TEST(StringPool, ClearKeepsTheBlock) {
    StringPool pool;
    ASSERT_TRUE(pool.Init(4, 4));
    ASSERT_EQ(pool.Add("abcdef"), 0);
    pool.Clear();
    EXPECT_EQ(pool.UsedBytes(), 0u);
    EXPECT_EQ(pool.Capacity(), 8u);
    EXPECT_EQ(pool.Add("xy"), 0);
    EXPECT_STREQ(pool.At(0), "xy");
    pool.Release();
    EXPECT_EQ(pool.Capacity(), 0u);
    EXPECT_EQ(pool.Add("x"), -1);
}
