// Tests of RecordArray.
#include "browser/record_array.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

TEST(RecordArray, InitAllocatesZeroFilledRecords) {
    RecordArray records;
    ASSERT_TRUE(records.Init(1000, 500, 16));
    EXPECT_EQ(records.Capacity(), 1000u);
    EXPECT_EQ(records.Growth(), 500u);
    EXPECT_EQ(records.RecordSize(), 16u);
    const char* data = records.Data();
    EXPECT_TRUE(std::all_of(data, data + 16000, [](char ch) { return ch == 0; }));
}

TEST(RecordArray, GrowKeepsTheRecordsAndZeroFillsTheNewPart) {
    RecordArray records;
    ASSERT_TRUE(records.Init(4, 3, 8));
    std::memset(records.Data(), 0x5A, 32);
    ASSERT_TRUE(records.Grow());
    EXPECT_EQ(records.Capacity(), 7u);
    const char* data = records.Data();
    EXPECT_TRUE(std::all_of(data, data + 32, [](char ch) { return ch == 0x5A; }));
    EXPECT_TRUE(std::all_of(data + 32, data + 56, [](char ch) { return ch == 0; }));
}

TEST(RecordArray, RefusesWhatItCannotHold) {
    RecordArray records;
    EXPECT_FALSE(records.Grow());  // no block yet
    EXPECT_FALSE(records.Init(0, 10, 16));
    EXPECT_FALSE(records.Init(10, 10, 0));
    EXPECT_FALSE(records.Init(0x10000000u, 1, 16));  // 4 GiB: past 32 bits
    EXPECT_EQ(records.Data(), nullptr);

    ASSERT_TRUE(records.Init(2, 0, 16));
    EXPECT_FALSE(records.Grow());  // a growth of 0 would make no room
    EXPECT_EQ(records.Capacity(), 2u);
}

TEST(RecordArray, ReleaseAndInitAgain) {
    RecordArray records;
    ASSERT_TRUE(records.Init(10, 5, 4));
    records.Release();
    EXPECT_EQ(records.Data(), nullptr);
    EXPECT_EQ(records.Capacity(), 0u);
    ASSERT_TRUE(records.Init(3, 5, 4));
    ASSERT_TRUE(records.Init(6, 5, 4));  // replaces the block it holds
    EXPECT_EQ(records.Capacity(), 6u);
}
