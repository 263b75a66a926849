// PageGeometry: cells and lines from the printer's measures and the page setup.
#include "print/page_geometry.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMaxCells = 1000000.0;

// A margin as the setup holds it: negative, infinite or not-a-number reads as 0.
double Margin(float inches) {
    return (std::isfinite(inches) && inches > 0.0f) ? inches : 0.0;
}

// Truncates toward zero into a cell count that fits any later arithmetic.
int Cells(double value) {
    if (!(value > 0.0)) {
        return 0;
    }
    return static_cast<int>(value < kMaxCells ? value : kMaxCells);
}

}  // namespace

void ComputePageGeometry(const DeviceMeasures& device, PrintSettings& settings,
                         PageGeometry& geometry) {
    geometry = PageGeometry{};
    if (device.horzRes <= 0 || device.vertRes <= 0 || device.logPixelsX <= 0 ||
        device.logPixelsY <= 0 || device.charWidth <= 0 || device.lineHeight <= 0) {
        return;
    }
    if (device.pointSize > 0) {
        settings.Pitch = device.pointSize;
    }

    PageGeometry& g = geometry;
    g.PageWidthInches = static_cast<float>(device.horzRes) / static_cast<float>(device.logPixelsX);
    g.PageLengthInches = static_cast<float>(device.vertRes) / static_cast<float>(device.logPixelsY);
    g.PageWidthCols = device.horzRes / device.charWidth;
    g.PageLengthLines = device.vertRes / device.lineHeight;

    // Whole cells per inch, truncated before use: 79 columns over 7.93 inches give 9.
    int colsPerInch = Cells(g.PageWidthCols / static_cast<double>(g.PageWidthInches));
    int linesPerInch = Cells(g.PageLengthLines / static_cast<double>(g.PageLengthInches));

    // The products take the margins' single-precision values and truncate in double
    // precision: 0.7 inch at 10 columns per inch is 6 columns, not 7.
    int numberField = settings.LineNumbers ? 5 : 0;
    g.LeftMarginCols = Cells(numberField + colsPerInch * Margin(settings.LeftMargin));
    g.RightMarginCols = Cells(colsPerInch * Margin(settings.RightMargin));
    g.TopMarginLines = Cells(linesPerInch * Margin(settings.TopMargin));
    g.BottomMarginLines = Cells(linesPerInch * Margin(settings.BottomMargin));
    if (settings.SingleSheets && g.BottomMarginLines < kSingleSheetBottomLines) {
        g.BottomMarginLines = kSingleSheetBottomLines;
    }

    // The text area stays on the page, whatever the margins: the left margin leaves at least
    // one column, the top margin leaves a text line and the footer below it.
    int footer = settings.PageNumbers ? 2 : 0;
    g.LeftMarginCols =
        std::min(g.LeftMarginCols, std::min(kMaxLeftMarginCols, g.PageWidthCols - 1));
    g.LeftMarginCols = std::max(g.LeftMarginCols, 0);
    g.UsableWidthCols = std::max(g.PageWidthCols - g.RightMarginCols - g.LeftMarginCols, 1);
    g.TopMarginLines = std::min(g.TopMarginLines, std::max(g.PageLengthLines - 1 - footer, 0));
    g.LastLine = std::max(g.PageLengthLines - g.BottomMarginLines - footer, g.TopMarginLines + 1);
    g.UsableLengthLines = g.PageLengthLines - g.BottomMarginLines - g.TopMarginLines;
}
