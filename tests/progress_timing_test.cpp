// Tests of when a print job's progress window appears and when the job looks at its messages.
#include "app/progress_timing.h"

#include <gtest/gtest.h>

TEST(ProgressTiming, TheWindowWaitsThreeHundredMilliseconds) {
    struct Case {
        std::uint64_t start;
        std::uint64_t now;
        bool shown;
    };
    const Case cases[] = {
        {1000, 1000, false},         {1000, 1299, false}, {1000, 1300, true},
        {1000, 90000, true},         {1000, 999, false},  // a clock that went back
        {~0ull - 100, ~0ull, false},
    };
    for (const Case& c : cases) {
        ProgressTiming timing;
        timing.Start(c.start);
        EXPECT_EQ(timing.ShowDue(c.now), c.shown) << c.start << " " << c.now;
    }
}

TEST(ProgressTiming, MessagesAtEveryPageAndAtLeastEveryTwentyFiveMilliseconds) {
    ProgressTiming timing;
    timing.Start(0);
    EXPECT_TRUE(timing.PumpDue(0, 1, 1)) << "the first page";
    EXPECT_FALSE(timing.PumpDue(10, 1, 1)) << "the same page, soon after";
    EXPECT_FALSE(timing.PumpDue(24, 1, 1));
    EXPECT_TRUE(timing.PumpDue(25, 1, 1)) << "25 ms later";
    EXPECT_FALSE(timing.PumpDue(26, 1, 1)) << "counted from the last look";
    EXPECT_TRUE(timing.PumpDue(27, 1, 2)) << "a new page";
    EXPECT_TRUE(timing.PumpDue(28, 2, 2)) << "a new file on the same page number";
    EXPECT_FALSE(timing.PumpDue(29, 2, 2));
    EXPECT_TRUE(timing.PumpDue(5, 2, 2)) << "a clock that went back";
    EXPECT_FALSE(timing.PumpDue(6, 2, 2));
}

TEST(ProgressTiming, AStartBeginsAfresh) {
    ProgressTiming timing;
    timing.Start(0);
    EXPECT_TRUE(timing.PumpDue(0, 1, 1));
    timing.Start(100);
    EXPECT_TRUE(timing.PumpDue(100, 1, 1)) << "the first page of the next job";
    EXPECT_FALSE(timing.ShowDue(399));
    EXPECT_TRUE(timing.ShowDue(400));
}
