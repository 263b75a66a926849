// RecordingPrintDialog: a scripted answer to the print dialog.
#include "print/recording_print_dialog.h"

RecordingPrintDialog::RecordingPrintDialog(const RecordingMetrics& metrics, PageRecorder& recorder)
    : metrics_(metrics), recorder_(recorder) {}

void RecordingPrintDialog::ChoosePages(int fromPage, int toPage) {
    range_ = true;
    fromPage_ = fromPage;
    toPage_ = toPage;
}

std::unique_ptr<PrintSurface> RecordingPrintDialog::Run(PrintDialogRecord& record) {
    ++runs_;
    prepared_ = record;
    if (cancel_) {
        return nullptr;
    }
    record.Flags &= ~kPrintDialogPageNums;
    if (range_) {
        record.Flags |= kPrintDialogPageNums;
        record.FromPage = fromPage_;
        record.ToPage = toPage_;
    }
    record.Copies = copies_;
    return std::make_unique<RecordingSurface>(metrics_, recorder_);
}
