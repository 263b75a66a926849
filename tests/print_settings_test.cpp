// Tests of the page setup record and its presets.
#include "print/print_settings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(PrintSettings, ConstructionGivesThePresets) {
    PrintSettings settings;
    EXPECT_FLOAT_EQ(settings.LeftMargin, 0.5f);
    EXPECT_EQ(settings.RightMargin, 0.0f);
    EXPECT_EQ(settings.TopMargin, 0.0f);
    EXPECT_EQ(settings.BottomMargin, 0.0f);
    EXPECT_EQ(settings.Pitch, 12);
    EXPECT_EQ(settings.TabSize, 8);
    EXPECT_TRUE(settings.PageNumbers);
    EXPECT_FALSE(settings.LineNumbers);
    EXPECT_FALSE(settings.SingleSheets);
    EXPECT_FALSE(settings.FormFeed);
    EXPECT_STREQ(settings.Path, "C:\\*.*");
}

TEST(PrintSettings, PresetsTakeThePrinterFaceAndKeepThePath) {
    PrintSettings settings;
    settings.Pitch = 3;
    settings.LeftMargin = 9;
    settings.TabSize = 0;
    settings.PageNumbers = false;
    settings.FormFeed = true;
    std::strcpy(settings.Path, "D:\\Work\\*.*");
    ApplyPresets(settings, "Lucida Console");
    EXPECT_STREQ(settings.font, "Lucida Console");
    EXPECT_EQ(settings.Pitch, 12);
    EXPECT_FLOAT_EQ(settings.LeftMargin, 0.5f);
    EXPECT_EQ(settings.TabSize, 8);
    EXPECT_TRUE(settings.PageNumbers);
    EXPECT_FALSE(settings.FormFeed);
    EXPECT_STREQ(settings.Path, "D:\\Work\\*.*");
}

TEST(PrintSettings, AnEmptyOrLongPrinterFace) {
    PrintSettings settings;
    ApplyPresets(settings, "");
    EXPECT_STREQ(settings.font, "Courier New");
    ApplyPresets(settings, nullptr);
    EXPECT_STREQ(settings.font, "Courier New");
    ApplyPresets(settings, std::string(40, 'F').c_str());
    EXPECT_EQ(std::string(settings.font), std::string(31, 'F'));
}

TEST(PrintSettings, PrintingUsesTabSizesFromOneToSixteen) {
    PrintSettings settings;
    const int cases[][2] = {{1, 1}, {4, 4}, {16, 16}, {0, 8}, {-3, 8}, {17, 8}, {1 << 30, 8}};
    for (const auto& c : cases) {
        settings.TabSize = c[0];
        EXPECT_EQ(PrintTabWidth(settings), c[1]) << "TabSize " << c[0];
    }
}
