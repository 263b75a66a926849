// The settings summary's texts, cells and alignments, and the panel's text as plain lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/settings_summary.h"

namespace {

// The geometry of a 600-dpi letter-size printer with a 12-point font (60 by 100 dots).
PageGeometry SampleGeometry() {
    PageGeometry g;
    g.PageWidthInches = 8.0f;
    g.PageLengthInches = 10.5f;
    g.PageWidthCols = 80;
    g.PageLengthLines = 63;
    g.LeftMarginCols = 5;
    g.RightMarginCols = 0;
    g.TopMarginLines = 0;
    g.BottomMarginLines = 0;
    g.UsableWidthCols = 75;
    g.UsableLengthLines = 63;
    g.LastLine = 61;
    return g;
}

const SummaryItem* Find(const std::vector<SummaryItem>& items, int column, int row) {
    auto found = std::find_if(items.begin(), items.end(), [&](const SummaryItem& item) {
        return item.column == column && item.row == row;
    });
    return found == items.end() ? nullptr : &*found;
}

}  // namespace

TEST(SettingsSummary, EveryTextAtItsCellWithItsAlignment) {
    PrintSettings settings;  // the presets: left margin 0.5, page numbers on
    settings.TabSize = 4;
    settings.LineNumbers = true;
    std::vector<SummaryItem> items = SettingsSummaryItems(true, "PDF", settings, SampleGeometry());
    const auto L = SummaryAlign::Left;
    const auto R = SummaryAlign::Right;
    const SummaryItem expected[] = {
        {1, 0, "PDF", L},
        {1, 1, "Font:", L},
        {7, 1, "Courier New - 12 pt", L},
        {14, 2, "inch   cols", L},
        {40, 2, "inch  lines", L},
        {0, 3, "Page width", L},
        {25, 3, "Page length", L},
        {0, 4, "Left margin", L},
        {25, 4, "Top margin", L},
        {0, 5, "Right margin", L},
        {25, 5, "Bottom margin", L},
        {0, 6, "Usable width", L},
        {25, 6, "Usable length", L},
        {1, 8, "Single sheets", L},
        {16, 8, "No", L},
        {25, 8, "Tab size", L},
        {34, 8, "4", L},
        {1, 9, "Page numbers", L},
        {16, 9, "Yes", L},
        {1, 10, "Line numbers", L},
        {16, 10, "Yes", L},
        {18, 3, " 8.0", R},
        {23, 3, "80", R},
        {44, 3, "10.5", R},
        {49, 3, "63", R},
        {18, 4, " 0.5", R},
        {23, 4, "5", R},
        {44, 4, " 0.0", R},
        {49, 4, "0", R},
        {18, 5, " 0.0", R},
        {23, 5, "0", R},
        {44, 5, " 0.0", R},
        {49, 5, "0", R},
        {18, 6, " 7.5", R},
        {23, 6, "75", R},
        {44, 6, "10.5", R},
        {49, 6, "63", R},
    };
    ASSERT_EQ(items.size(), std::size(expected));
    for (const SummaryItem& want : expected) {
        const SummaryItem* got = Find(items, want.column, want.row);
        ASSERT_NE(got, nullptr) << want.text;
        EXPECT_EQ(*got, want) << "at " << want.column << "," << want.row << ": " << got->text;
    }
}

TEST(SettingsSummary, UsableInchesSubtractBothMargins) {
    PrintSettings settings;
    settings.LeftMargin = 1.0f;
    settings.RightMargin = 0.5f;
    settings.TopMargin = 0.25f;
    settings.BottomMargin = 0.25f;
    std::vector<SummaryItem> items = SettingsSummaryItems(true, "PDF", settings, SampleGeometry());
    EXPECT_EQ(Find(items, 18, 6)->text, " 6.5");
    EXPECT_EQ(Find(items, 44, 6)->text, "10.0");
    EXPECT_EQ(Find(items, 44, 4)->text, " 0.3") << "0.25 rounds up";
}

TEST(SettingsSummary, UsableInchesOfMarginsWiderThanThePageKeepTheirSign) {
    // Page 8.0 by 10.5 inches.
    struct Case {
        float left, right, top, bottom;
        const char* width;
        const char* length;
    };
    const Case cases[] = {
        {5.0f, 4.0f, 6.0f, 5.0f, "-1.0", "-0.5"},
        {20.0f, 0.0f, 20.0f, 20.0f, "-12.0", "-29.5"},
        {0.0f, 8.04f, 0.0f, 10.5f, "-.0", " 0.0"},
        {0.0f, 8.0f, 100.0f, 0.0f, " 0.0", "-89.5"},
        {1e30f, 0.0f, 0.0f, 0.0f, "-1000000015047466200000000000000.0", "10.5"},
    };
    for (const Case& c : cases) {
        PrintSettings settings;
        settings.LeftMargin = c.left;
        settings.RightMargin = c.right;
        settings.TopMargin = c.top;
        settings.BottomMargin = c.bottom;
        std::vector<SummaryItem> items =
            SettingsSummaryItems(true, "PDF", settings, SampleGeometry());
        EXPECT_EQ(Find(items, 18, 6)->text, c.width) << c.left << " " << c.right;
        EXPECT_EQ(Find(items, 44, 6)->text, c.length) << c.top << " " << c.bottom;
        EXPECT_EQ(Find(items, 18, 6)->align, SummaryAlign::Right);
    }
}

TEST(SettingsSummary, TwentyInchMarginsShowANegativeUsableWidthOnTheLine) {
    PrintSettings settings;
    settings.LeftMargin = 20.0f;
    std::vector<SummaryItem> items = SettingsSummaryItems(true, "PDF", settings, SampleGeometry());
    std::string text = SummaryAsText(items);
    EXPECT_NE(text.find("Usable width -12.0   75"), std::string::npos) << text;
}

TEST(SettingsSummary, WithoutAPrinterTheDeviceLineSaysSo) {
    std::vector<SummaryItem> items =
        SettingsSummaryItems(false, "", PrintSettings{}, PageGeometry{});
    EXPECT_EQ(Find(items, 1, 0)->text, "No printer");
    EXPECT_EQ(Find(items, 18, 3)->text, " 0.0");
    EXPECT_EQ(Find(items, 23, 3)->text, "0");
}

TEST(SettingsSummary, AFaceWithoutTerminatorIsCutToItsField) {
    PrintSettings settings;
    std::fill(std::begin(settings.font), std::end(settings.font), 'W');
    std::vector<SummaryItem> items = SettingsSummaryItems(true, "PDF", settings, SampleGeometry());
    EXPECT_EQ(Find(items, 7, 1)->text, std::string(32, 'W') + " - 12 pt");
}

TEST(YesNoText, NamesTheFlag) {
    EXPECT_STREQ(YesNoText(true), "Yes");
    EXPECT_STREQ(YesNoText(false), "No");
}

TEST(SummaryAsText, PlacesLeftTextsAtAndRightTextsBeforeTheirColumns) {
    std::vector<SummaryItem> items = {
        {0, 0, "Left margin", SummaryAlign::Left},
        {18, 0, " 0.5", SummaryAlign::Right},
        {23, 0, "5", SummaryAlign::Right},
        {2, 2, "x", SummaryAlign::Left},
        {3, 1, "cut", SummaryAlign::Right},
        {1, 1, "abcd", SummaryAlign::Right},  // starts before column 0: only its "d" shows,
    };                                        // over the "c" of "cut"
    EXPECT_EQ(SummaryAsText(items), "Left margin    0.5    5\ndut\n  x");
}

TEST(SummaryAsText, TheDefaultSummaryEndsTheLeftMarginAtColumn18) {
    PrintSettings settings;
    std::string text = SummaryAsText(SettingsSummaryItems(true, "PDF", settings, SampleGeometry()));
    std::size_t line = text.find("Left margin");
    ASSERT_NE(line, std::string::npos);
    EXPECT_EQ(text.substr(line, 24), "Left margin    0.5    5 ");
}
