// PrintSurface: what the print engine needs of a printer: capabilities, fonts, document and
// page control, and text output. The Win32 build draws on a GDI printer context; tests and
// the layout tool record what would be drawn.
#pragma once

#include <cstddef>
#include <cstdint>

#include "text/char_cells.h"

// A font made by a surface; kNoFont stands for none.
using FontHandle = std::uintptr_t;
inline constexpr FontHandle kNoFont = 0;

// A logical font: every other attribute is left at the system's default.
struct LogicalFont {
    int height = 0;  // negative: the character height in device units
    int weight = 400;
    char faceName[32] = {};
};

struct FontMetrics {
    int averageWidth = 0;
    int height = 0;
    int internalLeading = 0;
    int externalLeading = 0;
};

enum class DeviceCap { HorzRes, VertRes, LogPixelsX, LogPixelsY };

class PrintSurface {
public:
    virtual ~PrintSurface() = default;

    virtual int Capability(DeviceCap cap) = 0;
    // Metrics of the selected font; false when the surface cannot tell.
    virtual bool ReadMetrics(FontMetrics* metrics) = 0;
    // Face name of the selected font into `out` (always terminated; empty when unknown).
    virtual void ReadFaceName(char* out, std::size_t size) = 0;

    virtual FontHandle MakeFont(const LogicalFont& font) = 0;
    // Deletes a font made by MakeFont; it must not be selected any more.
    virtual void FreeFont(FontHandle font) = 0;
    // Selects `font` and returns the font it replaced.
    virtual FontHandle UseFont(FontHandle font) = 0;

    virtual bool OpenDocument(const char* name) = 0;
    virtual void CloseDocument() = 0;
    // Ends the document in progress without printing it; an open page goes with it.
    virtual void AbortDocument() = 0;
    virtual bool OpenPage() = 0;
    virtual void ClosePage() = 0;
    // Draws `run` (valid UTF-8) with the top-left corner of its first cell at (x, y), device
    // units: each character at its own cell, cell i of the run at x + i * cellWidth, a wide
    // character over two cells, a character of no width over the cell of the one before it
    // (NextCellChar walks a run so). When run.ascii is set, each byte is one character of one
    // cell.
    virtual void PutChars(int x, int y, const CellRun& run, int cellWidth) = 0;
};
