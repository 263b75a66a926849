// RecordingSurface: a virtual printer that records pages.
#include "print/recording_surface.h"

#include "print/text_helpers.h"

RecordingSurface::RecordingSurface(const RecordingMetrics& metrics, PageRecorder& recorder)
    : metrics_(metrics), recorder_(recorder) {}

int RecordingSurface::Capability(DeviceCap cap) {
    switch (cap) {
        case DeviceCap::HorzRes:
            return metrics_.horzRes;
        case DeviceCap::VertRes:
            return metrics_.vertRes;
        case DeviceCap::LogPixelsX:
        case DeviceCap::LogPixelsY:
            return metrics_.dpi;
    }
    return 0;
}

bool RecordingSurface::ReadMetrics(FontMetrics* metrics) {
    metrics->averageWidth = metrics_.charWidth;
    metrics->height = metrics_.lineHeight;
    metrics->internalLeading = 0;
    metrics->externalLeading = 0;
    return true;
}

void RecordingSurface::ReadFaceName(char* out, std::size_t size) {
    const LogicalFont* font = recorder_.Font(selected_);
    CopyBounded(out, size, font != nullptr ? font->faceName : "");
}

FontHandle RecordingSurface::MakeFont(const LogicalFont& font) {
    return recorder_.AddFont(font);
}

void RecordingSurface::FreeFont(FontHandle font) {
    recorder_.RemoveFont(font);
}

FontHandle RecordingSurface::UseFont(FontHandle font) {
    FontHandle previous = selected_;
    selected_ = font;
    const LogicalFont* logical = recorder_.Font(font);
    selectedBold_ = logical != nullptr && logical->weight >= 700;
    return previous;
}

bool RecordingSurface::OpenDocument(const char* name) {
    recorder_.DocumentStarted(name);
    return true;
}

void RecordingSurface::CloseDocument() {
    recorder_.DocumentEnded();
}

void RecordingSurface::AbortDocument() {
    recorder_.DocumentAborted();
}

bool RecordingSurface::OpenPage() {
    recorder_.PageStarted();
    return true;
}

void RecordingSurface::ClosePage() {
    recorder_.PageEnded();
}

void RecordingSurface::PutChars(int x, int y, const CellRun& run, int) {
    if (!recorder_.KeepsText()) {
        recorder_.Text(0, 0, run, selectedBold_);  // counted only: no place needed
        return;
    }
    int lineHeight = metrics_.lineHeight > 0 ? metrics_.lineHeight : 1;
    int charWidth = metrics_.charWidth > 0 ? metrics_.charWidth : 1;
    recorder_.Text(y / lineHeight, x / charWidth, run, selectedBold_);
}
