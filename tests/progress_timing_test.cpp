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

TEST(ProgressTiming, MessagesEveryTwentyMilliseconds) {
    ProgressTiming timing;
    timing.Start(100);
    struct Step {
        std::uint64_t now;
        bool due;
        const char* why;
    };
    const Step steps[] = {
        {100, false, "the start"},
        {119, false, "not yet"},
        {120, true, "20 ms after the start"},
        {121, false, "counted from the last look"},
        {139, false, "19 ms after it"},
        {500, true, "long after"},
        {90, true, "a clock that went back"},
        {91, false, "counted from there"},
        {110, true, "20 ms after that"},
    };
    for (const Step& step : steps) {
        EXPECT_EQ(timing.PumpDue(step.now), step.due) << step.now << ": " << step.why;
    }
}

TEST(ProgressTiming, AStartBeginsAfresh) {
    ProgressTiming timing;
    timing.Start(0);
    EXPECT_TRUE(timing.PumpDue(50));
    timing.Start(100);
    EXPECT_FALSE(timing.PumpDue(110)) << "the next job counts from its own start";
    EXPECT_TRUE(timing.PumpDue(120));
    EXPECT_FALSE(timing.ShowDue(399));
    EXPECT_TRUE(timing.ShowDue(400));
}
