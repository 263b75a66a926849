// Tests of the digits of date texts.
#include "browser/file_date.h"

#include <gtest/gtest.h>

#include <string>

TEST(TwoDigits, ALeadingZeroUpToNineAndLargerNumbersInFull) {
    const std::pair<unsigned, const char*> cases[] = {{0, "00"},  {7, "07"},  {9, "09"},
                                                      {10, "10"}, {99, "99"}, {100, "100"}};
    for (const auto& c : cases) {
        char buffer[16];
        EXPECT_EQ(std::string(buffer, TwoDigits(c.first, buffer)), c.second);
    }
}
