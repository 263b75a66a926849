// LineFormatter: places source lines on the page grid: top margin, left margin and line
// number, pieces of the text width, and the end of a full page.
#pragma once

#include <cstddef>
#include <cstdint>

#include "print/page_breaks.h"
#include "print/page_geometry.h"
#include "text/char_cells.h"
#include "text/text_buffer.h"

class PrinterDevice;
struct PrintSettings;

// True when `line` holds the form-feed character (code 12).
bool HasFormFeed(const char* line);

class LineFormatter {
public:
    static constexpr int kMarginSize = kMaxLeftMarginCols + 1;

    LineFormatter(const PrintSettings& settings, const PageGeometry& geometry,
                  PrinterDevice& device, PageBreaks& pages);

    // MarginText becomes LeftMarginCols blanks and LineNumber 1; the copy's first page is in
    // progress (the job starts it).
    void Reset();

    // Prints one source line (UTF-8): the margin (with the line number) and the text, cut into
    // pieces of UsableWidthCols cells, one page line each; a wide character that would pass
    // the width starts the next piece, and characters of no width stay with the one before
    // them. Every page starts at its top margin, also when a page breaks inside a wrapped
    // line. `formFeed` ends the page after every piece. False when the job is to stop (the
    // user cancelled at the single-sheet pause). A line longer than kLineSlotSize - 1 bytes
    // prints that much of it.
    bool EmitLine(const char* text, bool formFeed);
    // The same for a line whose length and cells the caller knows (as ReadLine tells them).
    bool EmitLine(const CellRun& line, bool formFeed);
    // EmitLine for a line whose first `skip` pieces went on earlier pages: they are passed
    // over, and the next one starts the page (begun by the caller at line 0).
    bool ResumeLine(const CellRun& line, bool formFeed, std::uint32_t skip);
    // The pieces of the line being printed that are done; while a page starts inside a line,
    // those that went on earlier pages.
    std::uint32_t PiecesDone() const { return pieces_; }

    // Room for kLineSlotSize bytes right behind the margin of the line being printed: a line
    // read there is printed without being copied. It stays as read until the next EmitLine
    // or Reset.
    static constexpr std::size_t kLineSlotSize = kLineBufferSize;
    char* LineSlot() { return output_ + marginLength_; }

    // Moves to the next page line; at LastLine, or with `formFeed`, the page is finished. The
    // next page starts only when a line is printed on it.
    void NextLine(bool formFeed);

    // False between the end of a page and the start of the next one.
    bool PageInProgress() const { return !pageDue_; }

    const char* MarginText() const { return marginText_; }
    std::int64_t LineNumber() const { return lineNumber_; }
    // The number of the next source line (from 1; anything less counts as 1).
    void SetLineNumber(std::int64_t number);

private:
    // EmitLine for a line of at most kLineSlotSize - 1 bytes, the number field set.
    bool EmitPieces(const CellRun& line, bool formFeed, std::uint32_t skip);
    // Puts the line number into the margin (when lines are numbered).
    void PutLineNumber();
    // Puts the line number into the margin and cuts a line to the slot.
    CellRun PrepareLine(const CellRun& given);
    void NextLineNumber();

    const PrintSettings& settings_;
    const PageGeometry& geometry_;
    PrinterDevice& device_;
    PageBreaks& pages_;
    // A page was finished and the next one is not started yet.
    bool pageDue_ = false;
    std::uint32_t pieces_ = 0;
    char marginText_[kMarginSize] = {};
    std::size_t marginLength_ = 0;
    // The margin followed by the line slot; and the same for the later pieces of a wrapped line.
    char output_[kMarginSize + kLineSlotSize] = {};
    char wrapped_[kMarginSize + kLineSlotSize] = {};
    std::int64_t lineNumber_ = 1;
    // lineNumber_ in decimal, zero-padded to at least four digits, without a terminator.
    char numberDigits_[24] = {'0', '0', '0', '1'};
    int numberLength_ = 4;
};
