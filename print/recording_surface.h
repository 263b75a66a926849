// RecordingSurface: a virtual printer with fixed metrics that records what it is given.
#pragma once

#include "print/page_recorder.h"
#include "print/print_surface.h"

// The virtual printer in device units. Its font, whatever was asked for, reports height
// lineHeight, average width charWidth and no leading.
struct RecordingMetrics {
    int horzRes = 4800;
    int vertRes = 6600;
    int dpi = 600;
    int charWidth = 60;
    int lineHeight = 100;
};

class RecordingSurface : public PrintSurface {
public:
    RecordingSurface(const RecordingMetrics& metrics, PageRecorder& recorder);

    int Capability(DeviceCap cap) override;
    bool ReadMetrics(FontMetrics* metrics) override;
    void ReadFaceName(char* out, std::size_t size) override;
    FontHandle MakeFont(const LogicalFont& font) override;
    void FreeFont(FontHandle font) override;
    FontHandle UseFont(FontHandle font) override;
    bool OpenDocument(const char* name) override;
    void CloseDocument() override;
    void AbortDocument() override;
    bool OpenPage() override;
    void ClosePage() override;
    void PutChars(int x, int y, const CellRun& run, int cellWidth) override;

    FontHandle SelectedFont() const { return selected_; }

private:
    RecordingMetrics metrics_;
    PageRecorder& recorder_;
    FontHandle selected_ = kNoFont;
    bool selectedBold_ = false;
};
