// The print command keeps the printing font right for the printer a job leaves in use.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "app/print_command.h"
#include "app/settings_summary.h"
#include "print/page_recorder.h"
#include "print/recording_job_host.h"
#include "print/recording_surface.h"
#include "tests/temp_dir.h"
#include "text/text_buffer.h"

namespace {

// A recording printer whose font measures what was asked for, as a real printer's does: the
// height of the selected font in dots, and six tenths of it as the average width.
class ScalingSurface : public RecordingSurface {
public:
    ScalingSurface(const RecordingMetrics& metrics, PageRecorder& recorder)
        : RecordingSurface(metrics, recorder), recorder_(recorder) {}

    bool ReadMetrics(FontMetrics* metrics) override {
        const LogicalFont* font = recorder_.Font(SelectedFont());
        int height = font != nullptr ? std::abs(font->height) : 0;
        *metrics = FontMetrics{};
        metrics->height = height;
        metrics->averageWidth = height * 6 / 10;
        return true;
    }

private:
    PageRecorder& recorder_;
};

// The user picks another printer in the print dialog and presses OK.
class OtherPrinterDialog : public PrintDialogRunner {
public:
    OtherPrinterDialog(const RecordingMetrics& metrics, PageRecorder& recorder)
        : metrics_(metrics), recorder_(recorder) {}

    std::unique_ptr<PrintSurface> Run(PrintDialogRecord& record) override {
        record.Flags &= ~kPrintDialogPageNums;
        record.Copies = 1;
        return std::make_unique<ScalingSurface>(metrics_, recorder_);
    }

private:
    RecordingMetrics metrics_;
    PageRecorder& recorder_;
};

// 8 by 11 inches at `dpi`.
RecordingMetrics Letter(int dpi) {
    RecordingMetrics metrics;
    metrics.horzRes = 8 * dpi;
    metrics.vertRes = 11 * dpi;
    metrics.dpi = dpi;
    return metrics;
}

std::string Summary(const PrintSettings& settings, const PageGeometry& geometry) {
    return SummaryAsText(SettingsSummaryItems(true, "Start", settings, geometry));
}

}  // namespace

TEST(PrintWithPrinterFont, AJobOnAPrinterOfAnotherResolutionKeepsPitchAndSummary) {
    for (int otherDpi : {300, 1200}) {
        PageRecorder recorder;
        PrinterDevice device;
        device.Attach(std::make_unique<ScalingSurface>(Letter(600), recorder));
        PrintSettings settings;
        PageGeometry geometry;
        FontHandle printerFont = kNoFont;
        ApplyPrinterFont(device, settings, geometry, printerFont);
        ASSERT_EQ(settings.Pitch, 12);
        ASSERT_EQ(geometry.PageWidthCols, 80);
        std::string before = Summary(settings, geometry);

        OtherPrinterDialog dialog(Letter(otherDpi), recorder);
        RecordingJobHost host(recorder);
        TextBuffer text;
        PrintJob job(settings, geometry, device, text, dialog, host);
        TempDir dir;
        std::string path = dir.Write("a.txt", "hello\n");
        EXPECT_EQ(PrintWithPrinterFont(job, path.c_str(), device, settings, geometry, printerFont),
                  1);
        EXPECT_EQ(device.PointSize, 12) << otherDpi << " dpi";
        EXPECT_EQ(device.CurrentFont, printerFont) << "the new printing font is selected";
        EXPECT_NE(recorder.Font(printerFont), nullptr) << "and it has not been freed";

        // What the setup dialog's OK does next: the geometry again from the same settings.
        ComputePageGeometry(device.Measures(), settings, geometry);
        EXPECT_EQ(settings.Pitch, 12) << otherDpi << " dpi";
        EXPECT_EQ(Summary(settings, geometry), before) << otherDpi << " dpi";
    }
}

TEST(PrintWithPrinterFont, AFileThatCannotBeReadChangesNothing) {
    PageRecorder recorder;
    PrinterDevice device;
    device.Attach(std::make_unique<ScalingSurface>(Letter(600), recorder));
    PrintSettings settings;
    PageGeometry geometry;
    FontHandle printerFont = kNoFont;
    ApplyPrinterFont(device, settings, geometry, printerFont);
    std::string before = Summary(settings, geometry);
    OtherPrinterDialog dialog(Letter(300), recorder);
    RecordingJobHost host(recorder);
    TextBuffer text;
    PrintJob job(settings, geometry, device, text, dialog, host);
    TempDir dir;
    EXPECT_EQ(PrintWithPrinterFont(job, dir.File("missing.txt").c_str(), device, settings, geometry,
                                   printerFont),
              0);
    EXPECT_EQ(host.Warnings().find("Can't open file") != std::string::npos, true);
    EXPECT_EQ(Summary(settings, geometry), before);
}
