// Tests of the page geometry: cells, margins and the line a page ends at.
#include "print/page_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

// The default virtual printer: 8 by 11 inches at 600 dpi, 80 columns by 66 lines.
DeviceMeasures LetterPage() {
    DeviceMeasures device;
    device.horzRes = 4800;
    device.vertRes = 6600;
    device.logPixelsX = 600;
    device.logPixelsY = 600;
    device.charWidth = 60;
    device.lineHeight = 100;
    device.pointSize = 12;
    return device;
}

PageGeometry Compute(PrintSettings& settings, const DeviceMeasures& device = LetterPage()) {
    PageGeometry geometry;
    ComputePageGeometry(device, settings, geometry);
    return geometry;
}

}  // namespace

TEST(PageGeometry, PresetsOnALetterPage) {
    PrintSettings settings;
    PageGeometry g = Compute(settings);
    EXPECT_FLOAT_EQ(g.PageWidthInches, 8.0f);
    EXPECT_FLOAT_EQ(g.PageLengthInches, 11.0f);
    EXPECT_EQ(g.PageWidthCols, 80);
    EXPECT_EQ(g.PageLengthLines, 66);
    EXPECT_EQ(g.LeftMarginCols, 5);
    EXPECT_EQ(g.RightMarginCols, 0);
    EXPECT_EQ(g.TopMarginLines, 0);
    EXPECT_EQ(g.BottomMarginLines, 0);
    EXPECT_EQ(g.UsableWidthCols, 75);
    EXPECT_EQ(g.LastLine, 64);
    EXPECT_EQ(g.UsableLengthLines, 66);
}

TEST(PageGeometry, LineNumbersTakeFiveColumns) {
    PrintSettings settings;
    PageGeometry without = Compute(settings);
    settings.LineNumbers = true;
    PageGeometry with = Compute(settings);
    EXPECT_EQ(with.LeftMarginCols, without.LeftMarginCols + 5);
    EXPECT_EQ(with.UsableWidthCols, without.UsableWidthCols - 5);
}

TEST(PageGeometry, PageNumbersTakeTwoLines) {
    PrintSettings settings;
    settings.PageNumbers = false;
    PageGeometry without = Compute(settings);
    settings.PageNumbers = true;
    PageGeometry with = Compute(settings);
    EXPECT_EQ(with.LastLine, without.LastLine - 2);
    EXPECT_EQ(with.UsableLengthLines, without.UsableLengthLines);
}

TEST(PageGeometry, MarginProductsTruncate) {
    PrintSettings settings;
    settings.LeftMargin = 0.7f;
    settings.RightMargin = 0.75f;
    settings.TopMargin = 0.5f;
    settings.BottomMargin = 1.0f;
    PageGeometry g = Compute(settings);
    EXPECT_EQ(g.LeftMarginCols, 6) << "0.7 inch at 10 columns per inch";
    EXPECT_EQ(g.RightMarginCols, 7);
    EXPECT_EQ(g.TopMarginLines, 3);
    EXPECT_EQ(g.BottomMarginLines, 6);
    EXPECT_EQ(g.UsableWidthCols, 80 - 6 - 7);
    EXPECT_EQ(g.LastLine, 66 - 6 - 2);
    EXPECT_EQ(g.UsableLengthLines, 66 - 6 - 3);
}

TEST(PageGeometry, CellsPerInchTruncateBeforeUse) {
    // 79 columns over 7.93 inches: 9 columns per inch, not 10.
    DeviceMeasures device = LetterPage();
    device.horzRes = 7930;
    device.logPixelsX = 1000;
    device.charWidth = 100;
    PrintSettings settings;
    settings.LeftMargin = 1.0f;
    PageGeometry g = Compute(settings, device);
    EXPECT_EQ(g.PageWidthCols, 79);
    EXPECT_NEAR(g.PageWidthInches, 7.93f, 1e-6);
    EXPECT_EQ(g.LeftMarginCols, 9);
}

TEST(PageGeometry, PitchFollowsTheRealisedSize) {
    PrintSettings settings;
    settings.Pitch = 11;
    DeviceMeasures device = LetterPage();
    device.pointSize = 10;
    Compute(settings, device);
    EXPECT_EQ(settings.Pitch, 10);
}

TEST(PageGeometry, WithoutAPrinterEveryFigureIsZero) {
    PrintSettings settings;
    settings.Pitch = 14;
    PageGeometry g = Compute(settings, DeviceMeasures{});
    EXPECT_EQ(g.PageWidthInches, 0.0f);
    EXPECT_EQ(g.PageLengthInches, 0.0f);
    EXPECT_EQ(g.PageWidthCols, 0);
    EXPECT_EQ(g.PageLengthLines, 0);
    EXPECT_EQ(g.LeftMarginCols, 0);
    EXPECT_EQ(g.UsableWidthCols, 0);
    EXPECT_EQ(g.LastLine, 0);
    EXPECT_EQ(g.UsableLengthLines, 0);
    EXPECT_EQ(settings.Pitch, 14) << "no printer realised anything";

    DeviceMeasures noFont = LetterPage();
    noFont.charWidth = 0;
    EXPECT_EQ(Compute(settings, noFont).PageLengthLines, 0);
}

TEST(PageGeometry, NegativeAndNonFiniteMarginsCountAsZero) {
    const float bad[] = {-1.0f, std::numeric_limits<float>::quiet_NaN(),
                         std::numeric_limits<float>::infinity(),
                         -std::numeric_limits<float>::infinity()};
    for (float margin : bad) {
        PrintSettings settings;
        settings.LeftMargin = margin;
        settings.RightMargin = margin;
        settings.TopMargin = margin;
        settings.BottomMargin = margin;
        PageGeometry g = Compute(settings);
        EXPECT_EQ(g.LeftMarginCols, 0) << margin;
        EXPECT_EQ(g.RightMarginCols, 0) << margin;
        EXPECT_EQ(g.TopMarginLines, 0) << margin;
        EXPECT_EQ(g.BottomMarginLines, 0) << margin;
        EXPECT_EQ(g.UsableWidthCols, 80) << margin;
    }
}

TEST(PageGeometry, WildMarginsStayPrintable) {
    PrintSettings settings;
    settings.LeftMargin = 1e30f;
    settings.RightMargin = 3e38f;
    settings.TopMargin = 1e20f;
    settings.BottomMargin = 500.0f;
    settings.LineNumbers = true;
    PageGeometry g = Compute(settings);
    EXPECT_EQ(g.LeftMarginCols, 79);
    EXPECT_EQ(g.UsableWidthCols, 1);
    EXPECT_GE(g.RightMarginCols, 0);
    EXPECT_GT(g.TopMarginLines, 0);
    EXPECT_EQ(g.LastLine, g.TopMarginLines + 1);

    PrintSettings wide;
    wide.LeftMargin = 7.5f;  // 75 columns, plus 5 for the numbers: past the 79 the margin holds
    wide.LineNumbers = true;
    PageGeometry w = Compute(wide);
    EXPECT_EQ(w.LeftMarginCols, 79);
    EXPECT_EQ(w.UsableWidthCols, 1);
}

TEST(PageGeometry, SingleSheetsKeepFiveLinesBelow) {
    PrintSettings settings;
    settings.SingleSheets = true;
    PageGeometry g = Compute(settings);
    EXPECT_EQ(g.BottomMarginLines, 5);
    EXPECT_EQ(g.LastLine, 66 - 5 - 2);
    EXPECT_EQ(g.UsableLengthLines, 66 - 5);

    settings.BottomMargin = 1.0f;  // 6 lines: more than the minimum, kept
    g = Compute(settings);
    EXPECT_EQ(g.BottomMarginLines, 6);
    EXPECT_EQ(g.LastLine, 66 - 6 - 2);
}

TEST(PageGeometry, OddResolutions) {
    // An A4 page at 300 dpi with a 29 by 58 font, as one PostScript driver reports it.
    DeviceMeasures device;
    device.horzRes = 2479;
    device.vertRes = 3508;
    device.logPixelsX = 300;
    device.logPixelsY = 300;
    device.charWidth = 29;
    device.lineHeight = 58;
    device.pointSize = 12;
    PrintSettings settings;
    PageGeometry g = Compute(settings, device);
    EXPECT_EQ(g.PageWidthCols, 85);
    EXPECT_EQ(g.PageLengthLines, 60);
    // 85 / 8.263 = 10.28 columns and 60 / 11.69 = 5.13 lines per inch.
    EXPECT_EQ(g.LeftMarginCols, 5);
    settings.TopMargin = 1.0f;
    EXPECT_EQ(Compute(settings, device).TopMarginLines, 5);
}

TEST(PageGeometry, MarginsBeyondThePageAreCutInOrder) {
    // The 80 x 66 letter page (10 columns and 6 lines an inch), a 40 x 66 page 4 inches
    // wide, and a page of one column and three lines.
    DeviceMeasures narrow = LetterPage();
    narrow.horzRes = 2400;
    DeviceMeasures tiny = LetterPage();
    tiny.horzRes = 60;
    tiny.vertRes = 300;
    const struct {
        const char* what;
        DeviceMeasures device;
        float left, right, top, bottom;
        bool pageNumbers, singleSheets;
        int leftCols, usable, topLines, lastLine, usableLength;
    } cases[] = {
        {"top of 11 inches on 11", LetterPage(), 0, 0, 11, 0, true, false, 0, 80, 63, 64, 3},
        {"top without footer", LetterPage(), 0, 0, 11, 0, false, false, 0, 80, 65, 66, 1},
        {"top and bottom", LetterPage(), 0, 0, 20, 20, true, false, 0, 80, 63, 64, -117},
        {"left of 10 inches on 4", narrow, 10, 0, 0, 0, true, false, 39, 1, 0, 64, 66},
        {"right of 10 inches", narrow, 1, 10, 0, 0, true, false, 10, 1, 0, 64, 66},
        {"left fits exactly", LetterPage(), 7.9f, 0, 0, 0, true, false, 79, 1, 0, 64, 66},
        {"single sheets", LetterPage(), 0, 0, 11, 0, true, true, 0, 80, 63, 64, -2},
        {"one column", tiny, 3, 3, 3, 0, true, false, 0, 1, 0, 1, 3},
        {"one column without footer", tiny, 3, 3, 3, 0, false, false, 0, 1, 2, 3, 1},
    };
    for (const auto& c : cases) {
        PrintSettings settings;
        settings.LeftMargin = c.left;
        settings.RightMargin = c.right;
        settings.TopMargin = c.top;
        settings.BottomMargin = c.bottom;
        settings.PageNumbers = c.pageNumbers;
        settings.SingleSheets = c.singleSheets;
        PageGeometry g = Compute(settings, c.device);
        EXPECT_EQ(g.LeftMarginCols, c.leftCols) << c.what;
        EXPECT_EQ(g.UsableWidthCols, c.usable) << c.what;
        EXPECT_EQ(g.TopMarginLines, c.topLines) << c.what;
        EXPECT_EQ(g.LastLine, c.lastLine) << c.what;
        EXPECT_EQ(g.UsableLengthLines, c.usableLength) << c.what;
    }
}

TEST(PageGeometry, EveryLineAndTheFooterStartOnThePage) {
    // Every margin from nothing to far beyond the page, on pages from one cell upwards.
    const float margins[] = {0, 0.1f, 0.5f, 1, 3, 7.9f, 8, 11, 12, 1e6f, 3e38f};
    const int widths[] = {1, 2, 5, 79, 80, 81, 300};
    const int lengths[] = {3, 4, 12, 66};
    for (int cols : widths) {
        for (int lines : lengths) {
            DeviceMeasures device = LetterPage();
            device.horzRes = cols * device.charWidth;
            device.vertRes = lines * device.lineHeight;
            for (float m : margins) {
                for (int flags = 0; flags < 8; ++flags) {
                    PrintSettings settings;
                    settings.LeftMargin = m;
                    settings.RightMargin = m / 2;
                    settings.TopMargin = m;
                    settings.BottomMargin = m / 3;
                    settings.PageNumbers = (flags & 1) != 0;
                    settings.LineNumbers = (flags & 2) != 0;
                    settings.SingleSheets = (flags & 4) != 0;
                    PageGeometry g = Compute(settings, device);
                    int footer = settings.PageNumbers ? 2 : 0;
                    SCOPED_TRACE(std::to_string(cols) + "x" + std::to_string(lines) + " margin " +
                                 std::to_string(m) + " flags " + std::to_string(flags));
                    ASSERT_GE(g.LeftMarginCols, 0);
                    ASSERT_LE(g.LeftMarginCols, 79);
                    ASSERT_GE(g.UsableWidthCols, 1);
                    ASSERT_LE(g.LeftMarginCols + g.UsableWidthCols, g.PageWidthCols)
                        << "a full line ends on the page";
                    ASSERT_GE(g.TopMarginLines, 0);
                    ASSERT_LT(g.TopMarginLines, g.LastLine);
                    ASSERT_LE(g.LastLine, g.PageLengthLines - footer) << "the last text line";
                    if (settings.PageNumbers) {
                        ASSERT_LT(g.LastLine + 1, g.PageLengthLines) << "the footer";
                    }
                }
            }
        }
    }
}
