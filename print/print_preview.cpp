// PrintPreview: the print job run onto a surface that keeps one page.
#include "print/print_preview.h"

#include <cstring>

#include "print/mul_div.h"
#include "print/recording_surface.h"

PreviewSurface::PreviewSurface(PrintSurface& inner, PreviewPage& page, bool keep)
    : inner_(inner), page_(page), keep_(keep) {}

FontHandle PreviewSurface::MakeFont(const LogicalFont& font) {
    FontHandle made = inner_.MakeFont(font);
    if (made != kNoFont) {
        fonts_[made] = font;
    }
    return made;
}

void PreviewSurface::FreeFont(FontHandle font) {
    fonts_.erase(font);
    inner_.FreeFont(font);
}

FontHandle PreviewSurface::UseFont(FontHandle font) {
    FontHandle previous = inner_.UseFont(font);
    auto found = fonts_.find(font);
    current_ = found != fonts_.end() ? found->second : LogicalFont{};
    if (found != fonts_.end() && found->second.weight < 700) {
        // The normal printing font gives the page its grid.
        FontMetrics metrics;
        if (inner_.ReadMetrics(&metrics)) {
            page_.charWidth = metrics.averageWidth;
            page_.lineHeight = metrics.height + metrics.externalLeading;
        }
    }
    return previous;
}

void PreviewSurface::PutChars(int x, int y, const CellRun& run, int cellWidth) {
    if (!keep_) {
        return;
    }
    PreviewRun kept;
    kept.x = x;
    kept.y = y;
    kept.cellWidth = cellWidth;
    kept.font = current_;
    kept.ascii = run.ascii;
    kept.text.assign(run.text, run.length);
    page_.runs.push_back(std::move(kept));
}

std::unique_ptr<PrintSurface> PreviewDialog::Run(PrintDialogRecord& record) {
    record.Flags &= ~kPrintDialogPageNums;
    record.Copies = 1;
    return std::make_unique<PreviewSurface>(inner_, page_, keep);
}

PrintPreview::PrintPreview(PrintSurface& inner)
    : inner_(inner),
      dialog_(inner, page_),
      job_(settings_, geometry_, device_, text_, dialog_, host_) {}

bool PrintPreview::Open(const char* path, const PrintSettings& settings) {
    path_ = path;
    settings_ = settings;
    index_.clear();
    final_ = false;
    page_ = PreviewPage{};
    host_.warned = false;
    IndexMore(1);
    return !index_.empty() && !host_.warned;
}

bool PrintPreview::IndexMore(int pages) {
    if (final_) {
        return true;
    }
    // The run starts at the last checkpoint (a copy: the index grows meanwhile) and records
    // those after it.
    PageCheckpoint from;
    bool resume = !index_.empty();
    if (resume) {
        from = index_.back();
    }
    dialog_.keep = false;
    job_.ResumeFrom = resume ? &from : nullptr;
    job_.PageLimit = pages < 1 ? 1 : pages;
    job_.Checkpoints = &index_;
    int result = job_.PrintFile(path_.c_str());
    job_.Checkpoints = nullptr;
    job_.ResumeFrom = nullptr;
    // A file that cannot be read any more, or a printer without room, ends the index.
    final_ = result == 0 || !job_.StoppedAtLimit || host_.warned;
    return final_;
}

bool PrintPreview::Show(std::size_t number) {
    if (number >= index_.size()) {
        return false;
    }
    page_.runs.clear();
    PageCheckpoint from = index_[number];
    dialog_.keep = true;
    job_.ResumeFrom = &from;
    job_.PageLimit = 1;
    job_.Checkpoints = nullptr;
    int result = job_.PrintFile(path_.c_str());
    job_.ResumeFrom = nullptr;
    dialog_.keep = false;
    return result == 1;
}

std::string PreviewTitle(const char* path, std::size_t page, std::size_t count, bool final,
                         bool noPrinter) {
    const char* name = path;
    for (const char* at = path; *at != '\0'; ++at) {
        if (*at == '\\' || *at == '/' || *at == ':') {
            name = at + 1;
        }
    }
    std::string title = "Preview - ";
    title += name;
    title += " - page " + std::to_string(page + 1) + " of " + std::to_string(count);
    if (!final) {
        title += "+";
    }
    if (noPrinter) {
        title += " (no printer)";
    }
    return title;
}

RecordingMetrics NoPrinterPage(const PrintSettings& settings) {
    RecordingMetrics metrics;
    metrics.dpi = 600;
    metrics.horzRes = 5100;
    metrics.vertRes = 6600;
    int pitch = settings.Pitch >= 1 && settings.Pitch <= 720 ? settings.Pitch : 12;
    metrics.lineHeight = MultiplyDivide(pitch, metrics.dpi, 72);
    metrics.charWidth = MultiplyDivide(metrics.lineHeight, 3, 5);
    if (metrics.charWidth < 1) {
        metrics.charWidth = 1;
    }
    return metrics;
}
