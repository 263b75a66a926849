// Tests of the decimal texts: the same results natively and under the Windows runtime.
#include "app/decimal_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace {
std::string Format(double value) {
    char buffer[400];
    return FormatOneDecimal(buffer, sizeof buffer, value);
}
}  // namespace

TEST(FormatOneDecimal, OneDecimalRoundedHalfUpAndPadded) {
    const struct {
        double value;
        const char* text;
    } cases[] = {{0, " 0.0"},
                 {0.5, " 0.5"},
                 {0.25, " 0.3"},
                 {1, " 1.0"},
                 {7.75, " 7.8"},
                 {10, "10.0"},
                 {0.04, ".0"},
                 {0.004, ".00"},
                 {-1.5, " 1.5"},
                 {-0.0, " 0.0"},
                 {0.3f, " 0.3"},
                 // 0.05 and 99.95 are stored a little above, 0.95 and 9.95 a little below.
                 {0.05, " 0.1"},
                 {0.95, " 0.9"},
                 {9.95, " 9.9"},
                 {99.95, "100.0"},
                 {9.96, "10.0"},
                 // 17 significant digits first: 1234.549999999999954... becomes 1234.5500000000000.
                 {1234.55, "1234.6"},
                 {1152921504606846976.0, "1152921504606847000.0"},
                 {12345678901234567890123456789.0, "12345678901234568000000000000.0"},
                 {99999999999999999999999999999.0, "99999999999999991000000000000.0"},
                 {12345678901234567890123456789.0f, "12345679154391251000000000000.0"},
                 {FLT_MAX, "340282346638528860000000000000000000000.0"},
                 {std::numeric_limits<double>::infinity(), ""},
                 {std::numeric_limits<double>::quiet_NaN(), ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(Format(c.value), c.text) << c.value;
    }
}

TEST(FormatOneDecimal, HugeAndTinyValues) {
    EXPECT_EQ(Format(1e300), "10000000000000001" + std::string(284, '0') + ".0");
    EXPECT_EQ(Format(1e-300), "." + std::string(299, '0'));
    EXPECT_EQ(Format(std::numeric_limits<double>::denorm_min()), "." + std::string(323, '0'));
    EXPECT_LT(Format(std::numeric_limits<float>::denorm_min()).size(), kFloatDecimalTextSize);
}

TEST(FormatOneDecimal, NeverWritesPastTheBuffer) {
    for (double value : {1e300, 12.5, 1e-30}) {
        std::string full = Format(value);
        for (std::size_t size = 0; size <= full.size() + 1; ++size) {
            char buffer[400];
            std::memset(buffer, '#', sizeof buffer);
            EXPECT_EQ(FormatOneDecimal(buffer, size, value), buffer);
            EXPECT_EQ(buffer[size], '#') << value << " size " << size;
            if (size > 0) {
                EXPECT_EQ(std::string(buffer), full.substr(0, size - 1)) << value;
            }
        }
    }
}

TEST(ParseDecimal, ReadsTheNumberAfterWhiteSpaceExactly) {
    const struct {
        const char* text;
        double value;
    } cases[] = {{" 0.3", 0.3},
                 {"\t\n 12", 12},
                 {"0.5cm", 0.5},
                 {".5", 0.5},
                 {"+2.5e1", 25},
                 {"-1.5", -1.5},
                 {"0x10", 0},
                 {"12345678901234567890123456789", 12345678901234567890123456789.0},
                 {"2.2250738585072011e-308", 2.2250738585072011e-308},
                 {"9007199254740993", 9007199254740992.0}};
    for (const auto& c : cases) {
        double value = -7;
        EXPECT_TRUE(ParseDecimal(c.text, &value)) << c.text;
        EXPECT_EQ(value, c.value) << c.text;  // exactly: correctly rounded on both runtimes
    }
}

TEST(ParseDecimal, NoNumberLeavesTheTargetAlone) {
    for (const char* text : {"", "   ", "abc", "+-5", "--5", ".", "e5", "1e400"}) {
        double value = -7;
        EXPECT_FALSE(ParseDecimal(text, &value)) << text;
        EXPECT_EQ(value, -7) << text;
    }
}

TEST(ReadDecimal, TellsWhereTheNumberEndsAndSaturatesBeyondADouble) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* text;
        bool read;
        double value;
        std::size_t length;  // characters taken, white space included
    } cases[] = {{" 0.3", true, 0.3, 4},
                 {"0x10", true, 0, 1},
                 {"1.5cm", true, 1.5, 3},
                 {"1e39", true, 1e39, 4},
                 {"1e400", true, inf, 5},
                 {"-1e400", true, -inf, 6},
                 {"12345e99999", true, inf, 11},
                 {"0.000001e-320", true, 0, 13},
                 {"1e-400", true, 0, 6},
                 {"1000e-330", true, 0, 9},
                 {"abc", false, -7, 0},
                 {"+-1", false, -7, 0},
                 {"", false, -7, 0}};
    for (const auto& c : cases) {
        double value = -7;
        const char* end = nullptr;
        EXPECT_EQ(ReadDecimal(c.text, &value, &end), c.read) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
        EXPECT_EQ(static_cast<std::size_t>(end - c.text), c.length) << c.text;
    }
    double negative = 1;
    const char* end = nullptr;
    ASSERT_TRUE(ReadDecimal("-1e-999", &negative, &end));
    EXPECT_TRUE(negative == 0 && std::signbit(negative));
}
