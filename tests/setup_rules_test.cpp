// The setup dialog's rules: the margin filter, typed margins and the font size.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "app/setup_rules.h"

TEST(MarginBoxAccepts, DigitsThePointAndControlCharactersOnly) {
    for (std::uint64_t code : {0ull, 8ull, 9ull, 13ull, 22ull, 24ull, 31ull}) {
        EXPECT_TRUE(MarginBoxAccepts(code)) << code;
    }
    for (char ch : std::string("0123456789.")) {
        EXPECT_TRUE(MarginBoxAccepts(static_cast<unsigned char>(ch))) << ch;
    }
    for (char ch : std::string(" -+,eE/:aZ")) {
        EXPECT_FALSE(MarginBoxAccepts(static_cast<unsigned char>(ch))) << ch;
    }
    for (std::uint64_t code : {127ull, 0xE9ull, 0x10030ull, 0x100000030ull}) {
        EXPECT_FALSE(MarginBoxAccepts(code)) << "code " << code << " is no digit";
    }
}

TEST(MarginFromTyped, ReadsTheLeadingNumberLikeAtof) {
    struct Case {
        const char* text;
        float margin;
    };
    const Case cases[] = {
        {" 0.5", 0.5f}, {"1.2.3", 1.2f}, {"", 0.0f},
        {".", 0.0f},    {"2.", 2.0f},    {".25", 0.25f},
        {"7x", 7.0f},   {"-1.5", 0.0f},  {"1e1", 10.0f},
        {"abc", 0.0f},  {"1e39", 0.0f},  {"inf", 0.0f},
        {"nan", 0.0f},  {"1e400", 0.0f}, {"00000000000000000000000000003", 3.0f},
    };
    for (const Case& c : cases) {
        float margin = MarginFromTyped(c.text);
        EXPECT_TRUE(std::isfinite(margin)) << c.text;
        EXPECT_FLOAT_EQ(margin, c.margin) << c.text;
    }
    EXPECT_EQ(MarginFromTyped(nullptr), 0.0f);
}

TEST(MarginFromTyped, AMarginBelowZeroReadsAsAPositiveZero) {
    for (const char* text : {"-1", "-0", "-0.0001", " -2.5x", "-1e39", "-inf", "-nan"}) {
        float margin = MarginFromTyped(text);
        EXPECT_EQ(margin, 0.0f) << text;
        EXPECT_FALSE(std::signbit(margin)) << text;
    }
}

TEST(PointSizeFromTenths, CutsToWholePointsAndIgnoresNoSize) {
    const int cases[][2] = {{120, 12}, {105, 10}, {109, 10}, {10, 1}, {720, 72}};
    for (const auto& c : cases) {
        std::int32_t points = 99;
        EXPECT_TRUE(PointSizeFromTenths(c[0], &points)) << c[0];
        EXPECT_EQ(points, c[1]) << c[0];
    }
    for (int tenths : {9, 0, -10, -120}) {
        std::int32_t points = 12;
        EXPECT_FALSE(PointSizeFromTenths(tenths, &points)) << tenths;
        EXPECT_EQ(points, 12) << tenths;
    }
}
