// Tests of FormatFileDate. Run with TZ=EST5 (five hours west of UTC, no daylight saving):
// Wine takes its time zone from TZ when a process starts, and cannot change it later
// (SetTimeZoneInformation is refused, SetDynamicTimeZoneInformation not implemented).
#include "browser/file_date.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {
std::uint64_t FileTimeOf(WORD year, WORD month, WORD day, WORD hour, WORD minute) {
    SYSTEMTIME fields = {};
    fields.wYear = year;
    fields.wMonth = month;
    fields.wDay = day;
    fields.wHour = hour;
    fields.wMinute = minute;
    FILETIME time;
    EXPECT_TRUE(SystemTimeToFileTime(&fields, &time));
    return (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

std::string Date(std::uint64_t fileTime) {
    char text[kFileDateSize];
    FormatFileDate(fileTime, text, sizeof text);
    return text;
}

class FileDateTest : public ::testing::Test {
protected:
    void SetUp() override {
        TIME_ZONE_INFORMATION zone;
        GetTimeZoneInformation(&zone);
        ASSERT_EQ(zone.Bias, 300) << "run through ctest, which sets TZ=EST5";
    }
};
}  // namespace

TEST_F(FileDateTest, MonthDayAndTwoDigitYear) {
    EXPECT_EQ(Date(FileTimeOf(2006, 3, 7, 12, 0)), "03/07/06");
    EXPECT_EQ(Date(FileTimeOf(2000, 12, 25, 12, 0)), "12/25/00");
    EXPECT_EQ(Date(FileTimeOf(1999, 10, 10, 12, 0)), "10/10/99");
}

TEST_F(FileDateTest, JustAfterMidnightUtcIsStillTheDayBeforeHere) {
    EXPECT_EQ(Date(FileTimeOf(2006, 3, 7, 0, 30)), "03/06/06");
    EXPECT_EQ(Date(FileTimeOf(2001, 1, 1, 4, 59)), "12/31/00");
    EXPECT_EQ(Date(FileTimeOf(2001, 1, 1, 5, 0)), "01/01/01");
}

TEST_F(FileDateTest, TimesThatCannotBeConvertedGiveTheEmptyText) {
    EXPECT_EQ(Date(0xFFFFFFFFFFFFFFFFull), "");
}

TEST_F(FileDateTest, AShortBufferGetsTheEmptyText) {
    char text[kFileDateSize] = "xxxxxxxx";
    FormatFileDate(FileTimeOf(2006, 3, 7, 12, 0), text, kFileDateSize - 1);
    EXPECT_STREQ(text, "");
    char untouched = '#';
    FormatFileDate(FileTimeOf(2006, 3, 7, 12, 0), &untouched, 0);
    EXPECT_EQ(untouched, '#');
}
