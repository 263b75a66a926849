// The settings summary of the main window as positioned texts: what is written where, and how.
// DrawSettingsSummary only draws these items.
#pragma once

#include <string>
#include <vector>

#include "print/page_geometry.h"
#include "print/print_settings.h"

enum class SummaryAlign {
    Left,   // the text starts at its column
    Right,  // the text ends at its column
};

// One text of the summary at a cell of the panel (column and row from its top-left corner).
struct SummaryItem {
    int column;
    int row;
    std::string text;
    SummaryAlign align;

    bool operator==(const SummaryItem& other) const {
        return column == other.column && row == other.row && text == other.text &&
               align == other.align;
    }
};

// The device line when the program has no printer.
inline constexpr char kNoPrinterText[] = "No printer";

// "Yes" for true, "No" for false.
const char* YesNoText(bool flag);

// The summary for the printer called `deviceName` (hasPrinter false: "No printer"), the page
// setup and the geometry computed from both: the labels and the switches left-aligned, then
// the inches and cell counts right-aligned on their columns. The usable inches keep their
// minus sign when the margins are wider than the page; every other figure is shown without.
std::vector<SummaryItem> SettingsSummaryItems(bool hasPrinter, const char* deviceName,
                                              const PrintSettings& settings,
                                              const PageGeometry& geometry);

// The items as lines of plain text, each at its column in a grid of characters (a right-aligned
// text ends just before its column); trailing blanks dropped, rows joined by "\n". Texts that
// would start before column 0 are cut on the left.
std::string SummaryAsText(const std::vector<SummaryItem>& items);
