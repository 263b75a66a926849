// Tests of the rules that turn stored values into usable settings.
#include "app/settings_values.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

TEST(MarginFromText, ReadsTheLeadingNumber) {
    EXPECT_EQ(MarginFromText(" 0.3"), 0.3f);
    EXPECT_EQ(MarginFromText(" 0.5"), 0.5f);
    EXPECT_EQ(MarginFromText("2.5 inches"), 2.5f);
    EXPECT_EQ(MarginFromText("12345678901234567890123456789"), 12345678901234567890123456789.0f);
    EXPECT_EQ(MarginFromText("3.4e38"), 3.4e38f);
}

TEST(MarginFromText, IsNeverNegativeNorNonFinite) {
    for (const char* text :
         {"", "abc", "-1", "-0", "-1e-300", "inf", "-inf", "nan", "1e39", "1e400", "1e-400"}) {
        float margin = MarginFromText(text);
        EXPECT_EQ(margin, 0.0f) << text;
        EXPECT_FALSE(std::signbit(margin)) << text;
    }
}

TEST(SaneMargin, ZeroInPlaceOfNegativeAndNonFinite) {
    EXPECT_EQ(SaneMargin(1.5f), 1.5f);
    EXPECT_EQ(SaneMargin(FLT_MAX), FLT_MAX);
    EXPECT_EQ(SaneMargin(-1.0f), 0.0f);
    EXPECT_FALSE(std::signbit(SaneMargin(-0.0f)));
    EXPECT_EQ(SaneMargin(std::numeric_limits<float>::infinity()), 0.0f);
    EXPECT_EQ(SaneMargin(std::numeric_limits<float>::quiet_NaN()), 0.0f);
}

TEST(PitchFromStored, OutsideOneTo999IsTwelve) {
    EXPECT_EQ(PitchFromStored(1), 1);
    EXPECT_EQ(PitchFromStored(10), 10);
    EXPECT_EQ(PitchFromStored(999), 999);
    EXPECT_EQ(PitchFromStored(0), 12);
    EXPECT_EQ(PitchFromStored(1000), 12);
    EXPECT_EQ(PitchFromStored(-1), 12);
}

TEST(IsUsablePathPattern, NeedsADriveOrASeparator) {
    for (const char* pattern : {"C:\\*.*", "d:x", "D:\\Work\\Src\\*.*", "\\\\server\\share\\*.*",
                                "Work/*.*", "Work\\*.*"}) {
        EXPECT_TRUE(IsUsablePathPattern(pattern)) << pattern;
    }
    for (const char* pattern : {"", "*.*", "notes", "\\*.*", "/"}) {
        EXPECT_FALSE(IsUsablePathPattern(pattern)) << pattern;
    }
}
