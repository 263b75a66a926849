// Tests of FormatFileDate, run with TZ=EST5 (five hours west of UTC, no daylight saving):
// Wine takes its time zone from TZ when a process starts and cannot change it later
// (SetTimeZoneInformation is refused, SetDynamicTimeZoneInformation not implemented).
#include "browser/file_date.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {
std::string Date(WORD year, WORD month, WORD day, WORD hour, WORD minute) {
    SYSTEMTIME fields = {};
    fields.wYear = year;
    fields.wMonth = month;
    fields.wDay = day;
    fields.wHour = hour;
    fields.wMinute = minute;
    FILETIME time;
    EXPECT_TRUE(SystemTimeToFileTime(&fields, &time));
    char text[kFileDateSize];
    FormatFileDate((std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime, text,
                   sizeof text);
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

TEST_F(FileDateTest, MonthDayAndTwoDigitYearOfTheLocalDate) {
    EXPECT_EQ(Date(2006, 3, 7, 12, 0), "03/07/06");
    EXPECT_EQ(Date(2000, 12, 25, 12, 0), "12/25/00");
    EXPECT_EQ(Date(2006, 3, 7, 0, 30), "03/06/06");  // just after midnight UTC: the day before
    EXPECT_EQ(Date(2001, 1, 1, 4, 59), "12/31/00");
    EXPECT_EQ(Date(2001, 1, 1, 5, 0), "01/01/01");
}

TEST_F(FileDateTest, WhatCannotBeWrittenGivesTheEmptyText) {
    char text[kFileDateSize] = "xxxxxxxx";
    FormatFileDate(0xFFFFFFFFFFFFFFFFull, text, sizeof text);  // beyond the local conversion
    EXPECT_STREQ(text, "");
    std::strcpy(text, "xxxxxxxx");
    FormatFileDate(0x01C6419E7C6A8000ull, text, kFileDateSize - 1);  // a buffer too short
    EXPECT_STREQ(text, "");
    char untouched = '#';
    FormatFileDate(0x01C6419E7C6A8000ull, &untouched, 0);
    EXPECT_EQ(untouched, '#');
}
