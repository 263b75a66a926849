// LineFormatter: source lines onto the page grid.
#include "print/line_formatter.h"

#include <cassert>
#include <cstring>

#include "print/print_settings.h"
#include "print/printer_device.h"
#include "print/text_helpers.h"

namespace {
constexpr char kFormFeed = '\f';
constexpr int kNumberField = 5;  // four digits and a blank

}  // namespace

bool HasFormFeed(const char* line) {
    return FindChar(line, kFormFeed) != nullptr;
}

LineFormatter::LineFormatter(const PrintSettings& settings, const PageGeometry& geometry,
                             PrinterDevice& device, PageBreaks& pages)
    : settings_(settings), geometry_(geometry), device_(device), pages_(pages) {
    Reset();
}

void LineFormatter::Reset() {
    int columns = geometry_.LeftMarginCols;
    if (columns < 0) {
        columns = 0;
    }
    if (columns > kMaxLeftMarginCols) {
        columns = kMaxLeftMarginCols;
    }
    std::memset(marginText_, ' ', static_cast<std::size_t>(columns));
    marginText_[columns] = '\0';
    marginLength_ = static_cast<std::size_t>(columns);
    std::memcpy(output_, marginText_, marginLength_);
    output_[marginLength_] = '\0';
    lineNumber_ = 1;
    std::memcpy(numberDigits_, "0001", 4);
    numberLength_ = 4;
    pageDue_ = false;
}

void LineFormatter::NextLineNumber() {
    ++lineNumber_;
    // The decimal text counts along, so no line needs a conversion.
    int i = numberLength_ - 1;
    while (i >= 0 && numberDigits_[i] == '9') {
        numberDigits_[i--] = '0';
    }
    if (i >= 0) {
        ++numberDigits_[i];
    } else {
        std::memmove(numberDigits_ + 1, numberDigits_, static_cast<std::size_t>(numberLength_));
        numberDigits_[0] = '1';
        ++numberLength_;
    }
}

bool LineFormatter::EmitLine(const char* text, bool formFeed) {
    CellRun line;
    line.text = text;
    line.length = std::strlen(text);
    if (line.length > kLineSlotSize - 1) {
        // Cut between characters.
        line.length = kLineSlotSize - 1;
        while (line.length > 0 && (static_cast<unsigned char>(text[line.length]) & 0xC0) == 0x80) {
            --line.length;
        }
    }
    line.ascii = FindNonAscii(text, line.length) == line.length;
    line.cells = line.ascii ? line.length : CountCells(text, line.length);
    return EmitLine(line, formFeed);
}

void LineFormatter::PutLineNumber() {
    std::size_t margin = marginLength_;
    if (settings_.LineNumbers && margin >= kNumberField) {
        // Only the first four digits show: 12345 is 1234.
        std::memcpy(marginText_ + margin - kNumberField, numberDigits_, 4);
        std::memcpy(output_ + margin - kNumberField, numberDigits_, 4);
    }
}

CellRun LineFormatter::PrepareLine(const CellRun& given) {
    PutLineNumber();
    CellRun line = given;
    if (line.length > kLineSlotSize - 1) {
        line.length = kLineSlotSize - 1;
        line.cells = line.ascii ? line.length : CountCells(line.text, line.length);
    }
    return line;
}

bool LineFormatter::EmitLine(const CellRun& given, bool formFeed) {
    std::size_t width = geometry_.UsableWidthCols > 0 ? geometry_.UsableWidthCols : 1;
    // The line's counts are read one by one, as the reader has just stored them: loaded
    // together in one wider block (as the compiler would otherwise do) they could not be
    // forwarded from the processor's pending stores, and every line would wait for them.
    const std::size_t length = static_cast<const volatile std::size_t&>(given.length);
    const std::size_t cells = static_cast<const volatile std::size_t&>(given.cells);
    if (length <= kLineSlotSize - 1 && cells <= width && device_.CurrentLine != 0) {
        // The usual line: one piece, on a page already begun.
        std::size_t margin = marginLength_;
        PutLineNumber();
        if (given.text != output_ + margin) {
            std::memcpy(output_ + margin, given.text, length);
        }
        CellRun piece;
        piece.text = output_;
        piece.length = margin + length;
        piece.cells = margin + cells;
        piece.ascii = given.ascii;
        device_.PutText(0, piece);
        NextLine(formFeed);
        NextLineNumber();
        return true;
    }
    return EmitPieces(PrepareLine(given), formFeed, 0);
}

bool LineFormatter::ResumeLine(const CellRun& given, bool formFeed, std::uint32_t skip) {
    return EmitPieces(PrepareLine(given), formFeed, skip);
}

void LineFormatter::SetLineNumber(std::int64_t number) {
    lineNumber_ = number < 1 ? 1 : number;
    char digits[24];
    int length = 0;
    for (std::int64_t rest = lineNumber_; rest > 0; rest /= 10) {
        digits[length++] = static_cast<char>('0' + rest % 10);
    }
    while (length < 4) {
        digits[length++] = '0';
    }
    for (int i = 0; i < length; ++i) {
        numberDigits_[i] = digits[length - 1 - i];
    }
    numberLength_ = length;
}

bool LineFormatter::EmitPieces(const CellRun& line, bool formFeed, std::uint32_t skip) {
    std::size_t margin = marginLength_;
    std::size_t width = geometry_.UsableWidthCols > 0 ? geometry_.UsableWidthCols : 1;
    // The first piece goes out from output_, where a line read into the slot already stands;
    // later pieces from wrapped_, so that the line itself stays as read.
    char* output = output_;
    const char* text = line.text;
    std::size_t remaining = line.length;
    std::size_t remainingCells = line.cells;
    pieces_ = 0;
    for (;;) {
        // The pieces passed over went on earlier pages.
        bool passed = pieces_ < skip;
        if (!passed && device_.CurrentLine == 0) {
            // A page is started only for a line that goes on it.
            if (pageDue_) {
                if (!pages_.StartNextPage()) {
                    return false;
                }
                pageDue_ = false;
            }
            device_.CurrentLine += geometry_.TopMarginLines;
        }
        CellCut cut;
        if (line.ascii) {
            cut.bytes = remaining > width ? width : remaining;
            cut.cells = cut.bytes;
        } else if (remainingCells <= width) {
            // The rest fits: its cells are known, and the text need not be walked again.
            cut.bytes = remaining;
            cut.cells = remainingCells;
            assert(CutAtCells(text, remaining, width).bytes == remaining &&
                   CutAtCells(text, remaining, width).cells == remainingCells);
        } else {
            cut = CutAtCells(text, remaining, width);
            remainingCells -= cut.cells < remainingCells ? cut.cells : remainingCells;
        }
        if (!passed) {
            if (output == output_) {
                if (text != output_ + margin) {
                    std::memcpy(output_ + margin, text, cut.bytes);
                }
            } else {
                std::memcpy(wrapped_ + margin, text, cut.bytes);
            }
            CellRun piece;
            piece.text = output;
            piece.length = margin + cut.bytes;
            piece.cells = margin + cut.cells;
            piece.ascii = line.ascii;
            device_.PutText(0, piece);
            NextLine(formFeed);
        }
        ++pieces_;
        if (cut.bytes >= remaining) {
            break;
        }
        if (output == output_) {
            std::memcpy(wrapped_, output_, margin);
            output = wrapped_;
        }
        text += cut.bytes;
        remaining -= cut.bytes;
    }
    NextLineNumber();
    return true;
}

void LineFormatter::NextLine(bool formFeed) {
    ++device_.CurrentLine;
    if (device_.CurrentLine >= geometry_.LastLine || formFeed) {
        pages_.FinishPage();
        pageDue_ = true;
        // Line 0 of the next page, which the next piece starts (EmitPieces sees to that).
        device_.CurrentLine = 0;
    }
}
