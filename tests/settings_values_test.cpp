// Tests of the rules that turn stored values into usable settings.
#include "app/settings_values.h"

#include <gtest/gtest.h>

#include <string>

#include <cfloat>
#include <cmath>
#include <limits>

TEST(MarginFromText, TheLeadingNumberNeverNegativeNorNonFinite) {
    EXPECT_EQ(MarginFromText(" 0.3"), 0.3f);
    EXPECT_EQ(MarginFromText("2.5 inches"), 2.5f);
    EXPECT_EQ(MarginFromText("3.4e38"), 3.4e38f);
    for (const char* text : {"", "abc", "-1", "-0", "inf", "nan", "1e39", "1e400"}) {
        float margin = MarginFromText(text);
        EXPECT_EQ(margin, 0.0f) << text;
        EXPECT_FALSE(std::signbit(margin)) << text;
    }
}

TEST(SaneMargin, ZeroInPlaceOfNegativeAndNonFinite) {
    EXPECT_EQ(SaneMargin(1.5f), 1.5f);
    EXPECT_EQ(SaneMargin(-1.0f), 0.0f);
    EXPECT_FALSE(std::signbit(SaneMargin(-0.0f)));
    EXPECT_EQ(SaneMargin(std::numeric_limits<float>::infinity()), 0.0f);
    EXPECT_EQ(SaneMargin(std::numeric_limits<float>::quiet_NaN()), 0.0f);
}

TEST(PitchFromStored, OutsideOneTo999IsTwelve) {
    const int cases[][2] = {{1, 1}, {999, 999}, {0, 12}, {1000, 12}, {-1, 12}};
    for (const auto& c : cases) {
        EXPECT_EQ(PitchFromStored(c[0]), c[1]) << c[0];
    }
}

TEST(IsUsablePathPattern, NeedsADirectoryPartAndTheWholeWildcard) {
    for (const char* pattern : {"C:\\*.*", "d:\\x\\*.*", "\\\\server\\share\\*.*", "Work\\*.*"}) {
        EXPECT_TRUE(IsUsablePathPattern(pattern)) << pattern;
    }
    for (const char* pattern : {"", "*.*", "notes", "\\*.*", "d:x", "Work/*.*", "C:\\dir\\*.",
                                "C:\\dir\\*", "C:\\dir\\"}) {
        EXPECT_FALSE(IsUsablePathPattern(pattern)) << pattern;
    }
}

TEST(FitsPathSetting, UpTo259Characters) {
    std::string pattern = "C:\\" + std::string(251, 'd') + "\\*.*";
    ASSERT_EQ(pattern.size(), 258u);
    EXPECT_TRUE(FitsPathSetting(pattern.c_str()));
    pattern.insert(3, "e");
    EXPECT_TRUE(FitsPathSetting(pattern.c_str())) << "259 characters and the terminator";
    pattern.insert(3, "f");
    EXPECT_FALSE(FitsPathSetting(pattern.c_str())) << "260 characters: the file list's limit";
}
