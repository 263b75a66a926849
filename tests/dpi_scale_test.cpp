// DpiScale: measures at 96 DPI scaled to other resolutions, and the row pictures' sizes.
#include "ui/dpi_scale.h"

#include <gtest/gtest.h>

#include <climits>

TEST(ScaleToDpi, UnchangedAt96AndRoundedElsewhere) {
    struct Case {
        int pixels;
        int dpi;
        int expected;
    };
    const Case cases[] = {
        {20, 96, 20},
        {4, 96, 4},
        {622, 96, 622},
        {20, 192, 40},
        {622, 192, 1244},
        {402, 192, 804},
        {8, 120, 10},
        {20, 120, 25},
        {4, 120, 5},
        {3, 144, 5},
        {1, 144, 2},
        {1, 143, 1},
        {8, 144, 12},
        {32, 288, 96},
        {0, 192, 0},
        {-8, 120, -10},
        {-3, 144, -5},
        {20, 0, 20},
        {20, -192, 20},
        {INT_MAX, 192, INT_MAX},
        {INT_MIN, 192, INT_MIN},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScaleToDpi(c.pixels, c.dpi), c.expected) << c.pixels << " at " << c.dpi;
    }
}

TEST(RescaleHeight, FromOneResolutionToAnotherKeepingTheSign) {
    EXPECT_EQ(RescaleHeight(16, 96, 192), 32);
    EXPECT_EQ(RescaleHeight(32, 192, 96), 16);
    EXPECT_EQ(RescaleHeight(-11, 96, 144), -17) << "-16.5 rounds away from zero";
    EXPECT_EQ(RescaleHeight(-22, 192, 120), -14);
    EXPECT_EQ(RescaleHeight(16, 144, 144), 16);
    EXPECT_EQ(RescaleHeight(16, 0, 192), 32) << "an unknown resolution counts as 96";
    EXPECT_EQ(RescaleHeight(16, 192, 0), 8);
}

TEST(RowPicture, TheTopLeftPartOfEachImageAsAt32) {
    struct Case {
        int size;
        int width;
        int height;
    };
    const Case cases[] = {{16, 9, 7}, {24, 14, 11}, {32, 18, 14}, {48, 27, 21}, {64, 36, 28}};
    for (const Case& c : cases) {
        EXPECT_EQ(RowPictureWidth(c.size), c.width) << c.size;
        EXPECT_EQ(RowPictureHeight(c.size), c.height) << c.size;
    }
    EXPECT_EQ(RowTextIndent(96), 20);
    EXPECT_EQ(RowTextIndent(192), 40);
}

TEST(RowIconSize, TheLargestThatFitsTheRowAndLeavesTheTextFree) {
    struct Case {
        const char* what;
        int rowHeight;
        int dpi;
        int expected;
    };
    const Case cases[] = {
        {"96 DPI, a row of the dialog's font: the 32-pixel image as always", 16, 96, 32},
        {"96 DPI, a tall row: never beyond 32", 60, 96, 32},
        {"192 DPI, rows twice as high", 32, 192, 64},
        {"192 DPI, a lower row: the next size down", 27, 192, 48},
        {"192 DPI, a row of 20 pixels", 20, 192, 32},
        {"120 DPI: 40 pixels is no size, 32 is the largest below", 20, 120, 32},
        {"144 DPI", 24, 144, 48},
        {"288 DPI: the largest image", 48, 288, 64},
        {"a row lower than every picture: the smallest", 5, 96, 16},
        {"no row at all", 0, 192, 16},
        {"an unknown resolution counts as 96", 16, 0, 32},
    };
    for (const Case& c : cases) {
        const int size = RowIconSize(c.rowHeight, c.dpi);
        EXPECT_EQ(size, c.expected) << c.what;
        if (c.expected != kRowIconSizes[0]) {
            EXPECT_LE(RowPictureHeight(size), c.rowHeight) << c.what;
        }
        EXPECT_LE(RowPictureWidth(size) + 2, RowTextIndent(c.dpi)) << c.what;
    }
}
