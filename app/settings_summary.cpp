// The settings summary as positioned texts.
#include "app/settings_summary.h"

#include <algorithm>

#include "app/decimal_text.h"

namespace {

std::string Inches(double value) {
    char text[kFloatDecimalTextSize];
    return FormatOneDecimal(text, sizeof text, value);
}

// Inches that may be negative (margins wider than the page): the minus sign stands before the
// first digit or the point, in the place of a padding blank when there is one, so "-0.5" and
// "-11.8" end where " 0.5" and "11.8" would.
std::string SignedInches(double value) {
    std::string text = Inches(value);
    if (!(value < 0) || text.empty()) {
        return text;
    }
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return text;
    }
    if (first > 0) {
        text[first - 1] = '-';
    } else {
        text.insert(0, 1, '-');
    }
    return text;
}

}  // namespace

const char* YesNoText(bool flag) {
    return flag ? "Yes" : "No";
}

std::vector<SummaryItem> SettingsSummaryItems(bool hasPrinter, const char* deviceName,
                                              const PrintSettings& s, const PageGeometry& g) {
    const SummaryAlign left = SummaryAlign::Left;
    const SummaryAlign right = SummaryAlign::Right;
    // The face may have lost its terminator in a bad record: never read past the field.
    std::string face(s.font, std::find(s.font, s.font + sizeof s.font, '\0'));
    std::vector<SummaryItem> items = {
        {1, 0, hasPrinter ? deviceName : kNoPrinterText, left},
        {1, 1, "Font:", left},
        {7, 1, face + " - " + std::to_string(s.Pitch) + " pt", left},
        {14, 2, "inch   cols", left},
        {40, 2, "inch  lines", left},
        {0, 3, "Page width", left},
        {25, 3, "Page length", left},
        {0, 4, "Left margin", left},
        {25, 4, "Top margin", left},
        {0, 5, "Right margin", left},
        {25, 5, "Bottom margin", left},
        {0, 6, "Usable width", left},
        {25, 6, "Usable length", left},
        {1, 8, "Single sheets", left},
        {16, 8, YesNoText(s.SingleSheets), left},
        {25, 8, "Tab size", left},
        {34, 8, std::to_string(s.TabSize), left},
        {1, 9, "Page numbers", left},
        {16, 9, YesNoText(s.PageNumbers), left},
        {1, 10, "Line numbers", left},
        {16, 10, YesNoText(s.LineNumbers), left},

        {18, 3, Inches(g.PageWidthInches), right},
        {23, 3, std::to_string(g.PageWidthCols), right},
        {44, 3, Inches(g.PageLengthInches), right},
        {49, 3, std::to_string(g.PageLengthLines), right},
        {18, 4, Inches(s.LeftMargin), right},
        {23, 4, std::to_string(g.LeftMarginCols), right},
        {44, 4, Inches(s.TopMargin), right},
        {49, 4, std::to_string(g.TopMarginLines), right},
        {18, 5, Inches(s.RightMargin), right},
        {23, 5, std::to_string(g.RightMarginCols), right},
        {44, 5, Inches(s.BottomMargin), right},
        {49, 5, std::to_string(g.BottomMarginLines), right},
        {18, 6, SignedInches(g.PageWidthInches - (s.LeftMargin + s.RightMargin)), right},
        {23, 6, std::to_string(g.UsableWidthCols), right},
        {44, 6, SignedInches(g.PageLengthInches - (s.TopMargin + s.BottomMargin)), right},
        {49, 6, std::to_string(g.UsableLengthLines), right},
    };
    return items;
}

std::string SummaryAsText(const std::vector<SummaryItem>& items) {
    std::vector<std::string> rows;
    for (const SummaryItem& item : items) {
        if (item.row < 0) {
            continue;
        }
        if (static_cast<std::size_t>(item.row) >= rows.size()) {
            rows.resize(static_cast<std::size_t>(item.row) + 1);
        }
        long long start = item.column;
        if (item.align == SummaryAlign::Right) {
            start -= static_cast<long long>(item.text.size());
        }
        std::size_t skip = start < 0 ? static_cast<std::size_t>(-start) : 0;
        if (skip >= item.text.size()) {
            continue;
        }
        std::size_t at = start < 0 ? 0 : static_cast<std::size_t>(start);
        std::string& row = rows[static_cast<std::size_t>(item.row)];
        std::size_t length = item.text.size() - skip;
        if (row.size() < at + length) {
            row.resize(at + length, ' ');
        }
        row.replace(at, length, item.text, skip, length);
    }
    std::string text;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        std::size_t end = rows[i].find_last_not_of(' ');
        text += end == std::string::npos ? std::string() : rows[i].substr(0, end + 1);
        if (i + 1 < rows.size()) {
            text += '\n';
        }
    }
    return text;
}
