// Tests of RecordArray.
#include "browser/record_array.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

TEST(RecordArray, GrowsByItsStepKeepingRecordsAndZeroFilling) {
    RecordArray records;
    ASSERT_TRUE(records.Init(4, 3, 8));
    const char* data = records.Data();
    EXPECT_TRUE(std::all_of(data, data + 32, [](char ch) { return ch == 0; }));
    std::memset(records.Data(), 0x5A, 32);
    ASSERT_TRUE(records.Grow());
    EXPECT_EQ(records.Capacity(), 7u);
    data = records.Data();
    EXPECT_TRUE(std::all_of(data, data + 32, [](char ch) { return ch == 0x5A; }));
    EXPECT_TRUE(std::all_of(data + 32, data + 56, [](char ch) { return ch == 0; }));
    records.Release();
    EXPECT_EQ(records.Data(), nullptr);
    EXPECT_EQ(records.Capacity(), 0u);
}

TEST(RecordArray, RefusesWhatItCannotHold) {
    RecordArray records;
    EXPECT_FALSE(records.Grow());  // no block yet
    EXPECT_FALSE(records.Init(0, 10, 16));
    EXPECT_FALSE(records.Init(0x10000000u, 1, 16));  // 4 GiB: past 32 bits
    EXPECT_EQ(records.Data(), nullptr);
    ASSERT_TRUE(records.Init(2, 0, 16));
    EXPECT_FALSE(records.Grow());  // a growth of 0 would make no room
    EXPECT_EQ(records.Capacity(), 2u);
}
