// LineFormatter: source lines onto the page grid.
#include "print/line_formatter.h"

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
    return EmitLine(text, std::strlen(text), formFeed);
}

bool LineFormatter::EmitLine(const char* text, std::size_t length, bool formFeed) {
    std::size_t margin = marginLength_;
    if (settings_.LineNumbers && margin >= kNumberField) {
        // Only the first four digits show: 12345 is 1234.
        std::memcpy(marginText_ + margin - kNumberField, numberDigits_, 4);
        std::memcpy(output_ + margin - kNumberField, numberDigits_, 4);
    }

    std::size_t width = geometry_.UsableWidthCols > 0 ? geometry_.UsableWidthCols : 1;
    std::size_t remaining = length;
    if (remaining > kLineSlotSize - 1) {
        remaining = kLineSlotSize - 1;
    }
    if (remaining <= width && device_.CurrentLine != 0) {
        // The usual line: one piece, on a page already begun.
        if (text != output_ + margin) {
            std::memcpy(output_ + margin, text, remaining);
        }
        device_.PutText(0, output_, margin + remaining);
        NextLine(formFeed);
        NextLineNumber();
        return true;
    }
    return EmitPieces(text, remaining, formFeed);
}

bool LineFormatter::EmitPieces(const char* text, std::size_t remaining, bool formFeed) {
    std::size_t margin = marginLength_;
    std::size_t width = geometry_.UsableWidthCols > 0 ? geometry_.UsableWidthCols : 1;
    // The first piece goes out from output_, where a line read into the slot already stands;
    // later pieces from wrapped_, so that the line itself stays as read.
    char* output = output_;
    for (;;) {
        if (device_.CurrentLine == 0) {
            // A page is started only for a line that goes on it.
            if (pageDue_) {
                if (!pages_.StartNextPage()) {
                    return false;
                }
                pageDue_ = false;
            }
            device_.CurrentLine += geometry_.TopMarginLines;
        }
        std::size_t piece = remaining > width ? width : remaining;
        if (output == output_) {
            if (text != output_ + margin) {
                std::memcpy(output_ + margin, text, piece);
            }
        } else {
            std::memcpy(wrapped_ + margin, text, piece);
        }
        device_.PutText(0, output, margin + piece);
        NextLine(formFeed);
        if (remaining <= width) {
            break;
        }
        if (output == output_) {
            std::memcpy(wrapped_, output_, margin);
            output = wrapped_;
        }
        text += width;
        remaining -= width;
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
