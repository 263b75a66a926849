// LineFormatter: source lines onto the page grid.
#include "print/line_formatter.h"

#include <cstdio>
#include <cstring>

#include "print/print_job.h"
#include "print/print_settings.h"
#include "print/printer_device.h"
#include "print/text_helpers.h"

namespace {
constexpr char kFormFeed = '\f';
constexpr int kNumberField = 5;  // four digits and a blank
constexpr std::size_t kOutputSize = LineFormatter::kMarginSize + 256;
}  // namespace

bool HasFormFeed(const char* line) {
    return FindChar(line, kFormFeed) != nullptr;
}

LineFormatter::LineFormatter(const PrintSettings& settings, const PageGeometry& geometry,
                             PrinterDevice& device, PrintJob& job)
    : settings_(settings), geometry_(geometry), device_(device), job_(job) {
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
    lineNumber_ = 1;
}

bool LineFormatter::EmitLine(const char* text, bool formFeed) {
    std::size_t margin = std::strlen(marginText_);
    if (settings_.LineNumbers && margin >= kNumberField) {
        // At least four digits, padded with zeros; only the first four show: 12345 is 1234.
        char number[24];
        std::snprintf(number, sizeof number, "%04lld", static_cast<long long>(lineNumber_));
        std::memcpy(marginText_ + margin - kNumberField, number, 4);
    }

    char output[kOutputSize];
    std::memcpy(output, marginText_, margin);
    std::size_t width = geometry_.UsableWidthCols > 0 ? geometry_.UsableWidthCols : 1;
    std::size_t remaining = std::strlen(text);
    if (remaining > kOutputSize - 1 - margin) {
        remaining = kOutputSize - 1 - margin;
    }
    for (;;) {
        if (device_.CurrentLine == 0) {
            device_.CurrentLine += geometry_.TopMarginLines;
        }
        std::size_t piece = remaining > width ? width : remaining;
        std::memcpy(output + margin, text, piece);
        device_.PutText(0, output, margin + piece);
        if (NextLine(formFeed)) {
            return false;
        }
        if (remaining <= width) {
            break;
        }
        text += width;
        remaining -= width;
    }
    ++lineNumber_;
    return true;
}

bool LineFormatter::NextLine(bool formFeed) {
    ++device_.CurrentLine;
    if (device_.CurrentLine >= geometry_.LastLine || formFeed) {
        return job_.FinishPage(false);
    }
    return false;
}
