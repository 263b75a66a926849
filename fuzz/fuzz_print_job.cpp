// Fuzz target: a whole print job on the recording printer. The input chooses the printer's
// measures (at start and in the print dialog), the page setup (margins of any value, pitch,
// tab size, the four switches), the dialog's page range and copies, a cancel at a pause, and
// the file. Checked: text lines and footers start on the page, text lines end on it, every
// page started is ended inside the one document, and no font is deleted while selected. And
// on a page of modest size: every page laid out again from its checkpoint alone equals that
// page of the whole job, cells and bold, and the checkpoints count the pages.
#include <fuzzer/FuzzedDataProvider.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include "fuzz/scratch_file.h"
#include "print/page_geometry.h"
#include "print/page_recorder.h"
#include "print/print_job.h"
#include "print/print_settings.h"
#include "print/printer_device.h"
#include "print/recording_job_host.h"
#include "print/recording_surface.h"
#include "text/char_cells.h"
#include "text/text_buffer.h"
#include "text/utf8.h"

namespace {

// A measure of the printer: 0, 1, a usual size, a huge one or anything at all.
int Measure(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 5)) {
        case 0:
            return 0;
        case 1:
            return 1;
        case 2:
            return in.ConsumeIntegralInRange(1, 10000);
        case 3:
            return in.ConsumeIntegralInRange(1000000, std::numeric_limits<int>::max());
        case 4:
            return in.ConsumeIntegral<int>();
        default:
            return in.ConsumeIntegralInRange(50, 700);
    }
}

RecordingMetrics Printer(FuzzedDataProvider& in) {
    RecordingMetrics metrics;
    metrics.horzRes = Measure(in);
    metrics.vertRes = Measure(in);
    metrics.dpi = Measure(in);
    metrics.charWidth = Measure(in);
    metrics.lineHeight = Measure(in);
    return metrics;
}

// A margin in inches: usual, negative, huge, not finite, or any float at all.
float Margin(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 7)) {
        case 0:
            return 0.0f;
        case 1:
            return static_cast<float>(in.ConsumeIntegralInRange(0, 120)) / 10.0f;
        case 2:
            return -static_cast<float>(in.ConsumeIntegralInRange(0, 1000));
        case 3:
            return in.ConsumeFloatingPointInRange(1e3f, FLT_MAX);
        case 4:
            return std::numeric_limits<float>::quiet_NaN();
        case 5:
            return std::numeric_limits<float>::infinity();
        case 6:
            return -std::numeric_limits<float>::infinity();
        default: {
            std::uint32_t bits = in.ConsumeIntegral<std::uint32_t>();
            float value;
            std::memcpy(&value, &bits, sizeof value);
            return value;
        }
    }
}

// The recording printer, checking every call against the page and the font rules.
class CheckingSurface : public RecordingSurface {
public:
    CheckingSurface(const RecordingMetrics& metrics, PageRecorder& recorder,
                    const PageGeometry& geometry, const PrintSettings& settings)
        : RecordingSurface(metrics, recorder),
          metrics_(metrics),
          recorder_(recorder),
          geometry_(geometry),
          settings_(settings) {}

    void FreeFont(FontHandle font) override {
        FUZZ_CHECK(font != SelectedFont());  // a font is deleted only once deselected
        RecordingSurface::FreeFont(font);
    }

    FontHandle UseFont(FontHandle font) override {
        FUZZ_CHECK(font == kNoFont || recorder_.Font(font) != nullptr);  // never a dead font
        return RecordingSurface::UseFont(font);
    }

    bool OpenDocument(const char* name) override {
        FUZZ_CHECK(!inDocument_);
        inDocument_ = true;
        return RecordingSurface::OpenDocument(name);
    }

    void CloseDocument() override {
        FUZZ_CHECK(inDocument_ && !inPage_);
        inDocument_ = false;
        RecordingSurface::CloseDocument();
    }

    void AbortDocument() override {
        FUZZ_CHECK(inDocument_);
        inDocument_ = false;
        inPage_ = false;
        RecordingSurface::AbortDocument();
    }

    bool OpenPage() override {
        FUZZ_CHECK(inDocument_ && !inPage_);
        inPage_ = true;
        return RecordingSurface::OpenPage();
    }

    void ClosePage() override {
        FUZZ_CHECK(inPage_);
        inPage_ = false;
        RecordingSurface::ClosePage();
    }

    void PutChars(int x, int y, const CellRun& run, int cellWidth) override {
        FUZZ_CHECK(inPage_);
        FUZZ_CHECK(cellWidth == metrics_.charWidth);
        // Valid UTF-8 of the cells told.
        FUZZ_CHECK(ValidUtf8Length(run.text, run.length) == run.length);
        FUZZ_CHECK(CountCells(run.text, run.length) == run.cells);
        FUZZ_CHECK(!run.ascii || FindNonAscii(run.text, run.length) == run.length);
        const PageGeometry& g = geometry_;
        int footer = settings_.PageNumbers ? 2 : 0;
        // The page promise holds on a page with room for a text line and the footer.
        if (g.PageWidthCols >= 1 && g.PageLengthLines >= 1 + footer) {
            std::int64_t cw = metrics_.charWidth;
            std::int64_t lh = metrics_.lineHeight;
            FUZZ_CHECK(x == 0);  // every line is drawn from column 0
            FUZZ_CHECK(y >= 0 && y % lh == 0);
            std::int64_t row = y / lh;
            FUZZ_CHECK((row + 1) * lh <= metrics_.vertRes);  // the whole row on the page
            bool isFooter = settings_.PageNumbers && row == g.LastLine + 1;
            if (!isFooter) {
                FUZZ_CHECK(row >= g.TopMarginLines && row < g.LastLine);
                // A wide character alone on a text width of one cell stands out by one.
                std::int64_t width = g.PageWidthCols + (g.UsableWidthCols <= 1 ? 1 : 0);
                FUZZ_CHECK(static_cast<std::int64_t>(run.cells) <= width);
                FUZZ_CHECK(static_cast<std::int64_t>(run.cells) * cw <=
                           metrics_.horzRes + (g.UsableWidthCols <= 1 ? cw : 0));
            }
        }
        RecordingSurface::PutChars(x, y, run, cellWidth);
    }

    bool InDocument() const { return inDocument_; }
    bool InPage() const { return inPage_; }

private:
    RecordingMetrics metrics_;
    PageRecorder& recorder_;
    const PageGeometry& geometry_;
    const PrintSettings& settings_;
    bool inDocument_ = false;
    bool inPage_ = false;
};

// The print dialog answering OK with the checking printer and the input's choices.
class Dialog : public PrintDialogRunner {
public:
    Dialog(const RecordingMetrics& metrics, PageRecorder& recorder, const PageGeometry& geometry,
           const PrintSettings& settings)
        : metrics_(metrics), recorder_(recorder), geometry_(geometry), settings_(settings) {}

    std::unique_ptr<PrintSurface> Run(PrintDialogRecord& record) override {
        record.Flags &= ~kPrintDialogPageNums;
        if (range) {
            record.Flags |= kPrintDialogPageNums;
            record.FromPage = fromPage;
            record.ToPage = toPage;
        }
        record.Copies = copies;
        auto surface = std::make_unique<CheckingSurface>(metrics_, recorder_, geometry_, settings_);
        chosen = surface.get();
        return surface;
    }

    bool range = false;
    int fromPage = 0;
    int toPage = 0;
    std::uint16_t copies = 1;
    CheckingSurface* chosen = nullptr;

private:
    RecordingMetrics metrics_;
    PageRecorder& recorder_;
    const PageGeometry& geometry_;
    const PrintSettings& settings_;
};

// The whole job once more, keeping its pages and checkpoints, then each page from its own
// checkpoint: the same page. One copy, no range, every sheet given.
void CheckCheckpoints(const RecordingMetrics& atStart, const RecordingMetrics& chosen,
                      PrintSettings settings, std::uint32_t chunk, const char* path) {
    PageRecorder recorder(PageRecorder::Mode::Keep);
    PageGeometry geometry;
    Dialog dialog(chosen, recorder, geometry, settings);
    RecordingJobHost host(recorder);
    PrinterDevice device;
    device.Attach(std::make_unique<CheckingSurface>(atStart, recorder, geometry, settings));
    FontHandle printerFont = kNoFont;
    ApplyPrinterFont(device, settings, geometry, printerFont);
    TextBuffer buffer;
    buffer.SetReadChunk(chunk);
    PrintJob job(settings, geometry, device, buffer, dialog, host);
    std::vector<PageCheckpoint> index;
    job.Checkpoints = &index;
    FUZZ_CHECK(job.PrintFile(path) == 1);
    std::size_t pages = recorder.Pages().size();
    FUZZ_CHECK(index.size() == pages);
    FUZZ_CHECK(!job.StoppedAtLimit);
    job.Checkpoints = nullptr;
    job.PageLimit = 1;
    for (std::size_t k = 0; k < pages; ++k) {
        job.ResumeFrom = &index[k];
        FUZZ_CHECK(job.PrintFile(path) == 1);
        FUZZ_CHECK(job.StoppedAtLimit == (k + 1 < pages));
        FUZZ_CHECK(recorder.Pages().size() == pages + k + 1);
        FUZZ_CHECK(SamePage(recorder.Pages()[k], recorder.Pages().back()));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ScratchFile file;
    FuzzedDataProvider in(data, size);

    RecordingMetrics atStart = Printer(in);
    RecordingMetrics chosen = in.ConsumeBool() ? atStart : Printer(in);

    PrintSettings settings;
    settings.LeftMargin = Margin(in);
    settings.RightMargin = Margin(in);
    settings.TopMargin = Margin(in);
    settings.BottomMargin = Margin(in);
    settings.Pitch =
        in.ConsumeBool() ? in.ConsumeIntegralInRange(1, 100) : in.ConsumeIntegral<int>();
    settings.TabSize = in.ConsumeIntegralInRange(-2, 20);
    settings.SingleSheets = in.ConsumeBool();
    settings.PageNumbers = in.ConsumeBool();
    settings.LineNumbers = in.ConsumeBool();
    settings.FormFeed = in.ConsumeBool();

    PageRecorder recorder(PageRecorder::Mode::Count);
    PageGeometry geometry;
    Dialog dialog(chosen, recorder, geometry, settings);
    dialog.range = in.ConsumeBool();
    dialog.fromPage = in.ConsumeIntegralInRange(0, 65535);
    dialog.toPage = in.ConsumeIntegralInRange(0, 65535);
    dialog.copies = in.ConsumeIntegralInRange<std::uint16_t>(0, 3);
    RecordingJobHost host(recorder);
    host.CancelAtPause(in.ConsumeIntegralInRange(0, 4));
    // The user stops the job at the K-th progress report (0: never).
    const int stopAt = in.ConsumeIntegralInRange(0, 8);
    int reports = 0;
    if (stopAt > 0) {
        host.StopWhen([&reports, stopAt](const JobProgress&) { return ++reports == stopAt; });
    }
    // Small pieces make lines cross the reads of the file, and every further copy read it again.
    std::uint32_t chunk = in.ConsumeBool() ? TextBuffer::kDefaultReadChunk
                                           : in.ConsumeIntegralInRange<std::uint32_t>(1, 64);

    std::vector<std::uint8_t> text = in.ConsumeRemainingBytes<std::uint8_t>();
    file.Write(text.data(), text.size());

    // The program at start: the printer's own font, then the shell's printing font.
    PrinterDevice device;
    device.Attach(std::make_unique<CheckingSurface>(atStart, recorder, geometry, settings));
    FontHandle printerFont = kNoFont;
    ApplyPrinterFont(device, settings, geometry, printerFont);

    TextBuffer buffer;
    buffer.SetReadChunk(chunk);
    PrintJob job(settings, geometry, device, buffer, dialog, host);
    FUZZ_CHECK(job.PrintFile(file.Path()) == 1);

    // One document, started and ended (or abandoned when the user stopped the job); every
    // page started was ended, but for a page the stop abandoned.
    FUZZ_CHECK(recorder.DocumentNames().size() == 1);
    FUZZ_CHECK(job.Stopped() == (stopAt > 0 && reports >= stopAt));
    if (job.Stopped()) {
        FUZZ_CHECK(recorder.DocumentsAborted() == 1 && recorder.DocumentsEnded() == 0);
        FUZZ_CHECK(recorder.PagesEnded() <= recorder.PagesStarted() &&
                   recorder.PagesStarted() <= recorder.PagesEnded() + 1);
    } else {
        FUZZ_CHECK(recorder.DocumentsEnded() == 1 && recorder.DocumentsAborted() == 0);
        FUZZ_CHECK(recorder.PagesStarted() == recorder.PagesEnded());
    }
    FUZZ_CHECK(recorder.StrayTexts() == 0);
    FUZZ_CHECK(dialog.chosen != nullptr && !dialog.chosen->InDocument());
    // Finite: a page holds at least one piece of a line, and a byte of text makes at most
    // 16 columns (a tab), so no copy has more pages than that allows.
    std::int64_t pieces = 17 * static_cast<std::int64_t>(text.size()) + 2;
    FUZZ_CHECK(recorder.PagesStarted() <= dialog.copies * pieces);
    // A printer without a cell prints no page and says so; every other printer is quiet.
    bool room = geometry.PageWidthCols > 0 && geometry.PageLengthLines > 0;
    FUZZ_CHECK(room == host.Warnings().empty());
    FUZZ_CHECK(room || recorder.PagesStarted() == 0);
    // The job's fonts are gone and neither is selected or remembered.
    FUZZ_CHECK(job.NormalFont == kNoFont && job.BoldFont == kNoFont);
    FUZZ_CHECK(recorder.LiveFonts() == (printerFont != kNoFont ? 1 : 0));
    FUZZ_CHECK(device.CurrentFont == kNoFont || recorder.Font(device.CurrentFont) != nullptr);
    FontHandle selected = dialog.chosen->SelectedFont();
    FUZZ_CHECK(selected == kNoFont || recorder.Font(selected) != nullptr);
    FUZZ_CHECK(host.WaitDepth() == 0);
    FUZZ_CHECK(buffer.Text() == nullptr);

    // Pages of modest size, and not too many of them, are kept and compared.
    if (!job.Stopped() && room && geometry.PageLengthLines <= 200 &&
        geometry.PageWidthCols <= 400 && text.size() <= 8192 && chosen.horzRes <= 100000) {
        CheckCheckpoints(atStart, chosen, settings, chunk, file.Path());
    }
    return 0;
}
