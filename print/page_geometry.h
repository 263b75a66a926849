// PageGeometry: the page as a grid of character cells, derived from the printer, the selected
// font and the page setup.
#pragma once

#include <cstdint>

#include "print/print_settings.h"

// What the printer reports, in device units (all 0 with no printer).
struct DeviceMeasures {
    int horzRes = 0;     // printable width
    int vertRes = 0;     // printable height
    int logPixelsX = 0;  // device units per inch
    int logPixelsY = 0;
    int charWidth = 0;   // one cell of the selected font
    int lineHeight = 0;  // one line of the selected font
    int pointSize = 0;   // the size the printer realised for the font
};

struct PageGeometry {
    float PageWidthInches = 0;
    float PageLengthInches = 0;
    std::int32_t PageWidthCols = 0;
    std::int32_t PageLengthLines = 0;
    std::int32_t LastLine = 0;  // text lies above it; the footer at LastLine + 1
    std::int32_t UsableWidthCols = 0;
    std::int32_t UsableLengthLines = 0;
    std::int32_t LeftMarginCols = 0;  // the line-number field included
    std::int32_t RightMarginCols = 0;
    std::int32_t TopMarginLines = 0;
    std::int32_t BottomMarginLines = 0;
};

// The margin text holds at most this many columns.
inline constexpr int kMaxLeftMarginCols = 79;
// Pages that pause for single sheets keep at least this many lines below the text.
inline constexpr int kSingleSheetBottomLines = 5;

// Computes every figure of `geometry` and sets settings.Pitch to the realised point size.
// With no printer (any of its measures 0) every figure is 0 and Pitch stays. Negative or
// non-finite margins count as 0. Margins wider or longer than the page are cut so that the
// text stays on it: LeftMarginCols lies between 0 and the smaller of 79 and PageWidthCols - 1,
// UsableWidthCols is at least 1, TopMarginLines is at most PageLengthLines - 1 less the two
// footer lines (and at least 0), and LastLine is at least TopMarginLines + 1. So on a page of
// at least one column and one line for the text and the footer, every text line and the
// footer start on the page. UsableLengthLines follows from the cut figures.
void ComputePageGeometry(const DeviceMeasures& device, PrintSettings& settings,
                         PageGeometry& geometry);
