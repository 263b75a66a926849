// PrintRig: the print engine as the program sets it up, on a recording printer, for tests.
#pragma once

#include <string>
#include <vector>

#include "print/page_geometry.h"
#include "print/page_recorder.h"
#include "print/print_job.h"
#include "print/print_settings.h"
#include "print/printer_device.h"
#include "print/recording_job_host.h"
#include "print/recording_print_dialog.h"
#include "print/recording_surface.h"
#include "tests/temp_dir.h"
#include "text/text_buffer.h"

// A small page: 8 by 4 inches at 300 dots per inch, 40 columns by 12 lines, 5 columns and 3
// lines per inch.
inline RecordingMetrics SmallPage() {
    RecordingMetrics metrics;
    metrics.horzRes = 2400;
    metrics.vertRes = 1200;
    metrics.dpi = 300;
    metrics.charWidth = 60;
    metrics.lineHeight = 100;
    return metrics;
}

class PrintRig {
public:
    explicit PrintRig(const RecordingMetrics& metrics = SmallPage());

    // No margins, page numbers on, everything else off.
    void NoMargins();

    // Makes the printing font and computes the geometry, as the main window does.
    void Apply();

    // Writes `content` to a file called `name`, applies the settings and prints it. Returns
    // PrintFile's result.
    int Print(const std::string& content, const std::string& name = "file.txt");

    // Every page printed so far, in the layout tool's format.
    std::string Pages() const { return recorder.Render(); }

    TempDir dir;
    RecordingMetrics metrics;
    PageRecorder recorder;
    PrinterDevice device;
    PrintSettings settings;
    PageGeometry geometry;
    FontHandle printerFont = kNoFont;
    RecordingPrintDialog dialog;
    RecordingJobHost host;
    TextBuffer text;
    PrintJob job;
};

// The text drawn on `row` of the kept page `page` (from 0), trailing blanks removed; empty
// when nothing was drawn there or there is no such page.
std::string RowText(const PageRecorder& recorder, std::size_t page, std::size_t row);

// Whether that row was drawn in the bold font.
bool RowBold(const PageRecorder& recorder, std::size_t page, std::size_t row);

// The rows of a kept page that were drawn, by index, as "row: text" ("row:" when empty).
std::vector<std::string> DrawnRows(const PageRecorder& recorder, std::size_t page);
