// PrintPreview: a text file laid out by the print job itself for a screen: an index of the
// pages' checkpoints built in runs, and the text of one page at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "print/page_geometry.h"
#include "print/print_dialog.h"
#include "print/print_job.h"
#include "print/print_settings.h"
#include "print/print_surface.h"
#include "print/printer_device.h"
#include "text/text_buffer.h"

// One text the job drew on the page shown: at (x, y) device units, each character at its
// cell of cellWidth units, in `font`.
struct PreviewRun {
    int x = 0;
    int y = 0;
    int cellWidth = 0;
    LogicalFont font;
    bool ascii = true;
    std::string text;  // UTF-8
};

// The page shown and the measures it was laid out with.
struct PreviewPage {
    std::vector<PreviewRun> runs;
    int charWidth = 0;   // one cell of the normal printing font, device units
    int lineHeight = 0;  // one line of it
};

// A printer for the job that takes its measures and fonts from `inner` (the printer in
// force, which it leaves as it found it once the job has freed its fonts) and keeps what is
// drawn in `page` (when given) instead of printing it.
class PreviewSurface : public PrintSurface {
public:
    PreviewSurface(PrintSurface& inner, PreviewPage& page, bool keep);

    int Capability(DeviceCap cap) override { return inner_.Capability(cap); }
    bool ReadMetrics(FontMetrics* metrics) override { return inner_.ReadMetrics(metrics); }
    void ReadFaceName(char* out, std::size_t size) override { inner_.ReadFaceName(out, size); }
    FontHandle MakeFont(const LogicalFont& font) override;
    void FreeFont(FontHandle font) override;
    FontHandle UseFont(FontHandle font) override;
    bool OpenDocument(const char*) override { return true; }
    void CloseDocument() override {}
    void AbortDocument() override {}
    bool OpenPage() override { return true; }
    void ClosePage() override {}
    void PutChars(int x, int y, const CellRun& run, int cellWidth) override;

private:
    PrintSurface& inner_;
    PreviewPage& page_;
    bool keep_;
    std::map<FontHandle, LogicalFont> fonts_;  // the fonts made here
    LogicalFont current_;
};

// The print dialog's stand-in: OK at once, one copy, every page, on a PreviewSurface.
class PreviewDialog : public PrintDialogRunner {
public:
    PreviewDialog(PrintSurface& inner, PreviewPage& page) : inner_(inner), page_(page) {}
    std::unique_ptr<PrintSurface> Run(PrintDialogRecord& record) override;
    bool keep = false;  // the next run keeps what it draws

private:
    PrintSurface& inner_;
    PreviewPage& page_;
};

// The job's host for a preview: no question is asked (every sheet is there), no wait cursor;
// a warning is only noted.
class PreviewJobHost : public PrintJobHost {
public:
    void Warn(const char*, const char*) override { warned = true; }
    bool AskNextSheet() override { return true; }
    void BeginWait() override {}
    void EndWait() override {}
    bool warned = false;
};

class PrintPreview {
public:
    // `inner` must outlive the preview.
    explicit PrintPreview(PrintSurface& inner);
    PrintPreview(const PrintPreview&) = delete;
    PrintPreview& operator=(const PrintPreview&) = delete;

    // Takes the file and a copy of the settings, and indexes the first page. False when the
    // file cannot be read or the page holds no cell (nothing to show).
    bool Open(const char* path, const PrintSettings& settings);
    // The legacy code page of the files opened from now on, as printing reads them.
    void SetCodePage(int codePage) { text_.SetCodePage(codePage); }

    // Indexes up to `pages` more pages from where the index ends; true once the count is final.
    bool IndexMore(int pages);
    bool Final() const { return final_; }
    // The pages indexed so far (all of them once Final).
    std::size_t PageCount() const { return index_.size(); }
    const std::vector<PageCheckpoint>& Index() const { return index_; }

    // Lays page `number` (from 0) out into Page(). False when it is not indexed.
    bool Show(std::size_t number);
    const PreviewPage& Page() const { return page_; }
    // The page's grid and the printer's page, as the last run laid them out.
    const PageGeometry& Geometry() const { return geometry_; }
    int HorzRes() const { return inner_.Capability(DeviceCap::HorzRes); }
    int VertRes() const { return inner_.Capability(DeviceCap::VertRes); }
    const PrintSettings& Settings() const { return settings_; }
    const std::string& Path() const { return path_; }

private:
    PrintSurface& inner_;
    std::string path_;
    PrintSettings settings_;
    PageGeometry geometry_;
    PreviewPage page_;
    PreviewDialog dialog_;
    PreviewJobHost host_;
    PrinterDevice device_;
    TextBuffer text_;
    PrintJob job_;
    std::vector<PageCheckpoint> index_;
    bool final_ = false;
};

// The preview window's title: "Preview - NAME - page N of M", NAME the last component of
// `path`, N from 1; "M+" while the count is not final, and " (no printer)" at the end when
// the page is the virtual printer's.
std::string PreviewTitle(const char* path, std::size_t page, std::size_t count, bool final,
                         bool noPrinter);

// The virtual printer shown without a printer: a page of 8.5 by 11 inches at 600 dots per
// inch, its cells sized from the settings' Pitch as a fixed-pitch face gives them (a cell
// three fifths as wide as the line is high).
struct RecordingMetrics;
RecordingMetrics NoPrinterPage(const PrintSettings& settings);
