// Tests of the digits of date texts.
#include "browser/file_date.h"

#include <gtest/gtest.h>

#include <string>

namespace {
std::string Digits(unsigned n) {
    char buffer[16];
    char* end = TwoDigits(n, buffer);
    return std::string(buffer, end);
}
}  // namespace

TEST(TwoDigits, ALeadingZeroUpToNine) {
    EXPECT_EQ(Digits(0), "00");
    EXPECT_EQ(Digits(7), "07");
    EXPECT_EQ(Digits(9), "09");
}

TEST(TwoDigits, LargerNumbersInFull) {
    EXPECT_EQ(Digits(10), "10");
    EXPECT_EQ(Digits(99), "99");
    EXPECT_EQ(Digits(100), "100");
    EXPECT_EQ(Digits(4294967295u), "4294967295");
}
