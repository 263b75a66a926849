// RecordingPrintDialog: a print dialog that answers OK at once with a recording printer, the
// flags, page range and copies it was given.
#pragma once

#include <cstdint>
#include <memory>

#include "print/page_recorder.h"
#include "print/print_dialog.h"
#include "print/recording_surface.h"

class RecordingPrintDialog : public PrintDialogRunner {
public:
    RecordingPrintDialog(const RecordingMetrics& metrics, PageRecorder& recorder);

    // The user's answer: a page range (PD_PAGENUMS) or every page, and the copy count.
    void ChoosePages(int fromPage, int toPage);
    void ChooseCopies(std::uint16_t copies) { copies_ = copies; }
    // The user cancels the dialog.
    void ChooseCancel() { cancel_ = true; }

    std::unique_ptr<PrintSurface> Run(PrintDialogRecord& record) override;

    int Runs() const { return runs_; }
    // The record as the job prepared it, before the answer was filled in.
    const PrintDialogRecord& Prepared() const { return prepared_; }

private:
    RecordingMetrics metrics_;
    PageRecorder& recorder_;
    bool range_ = false;
    int fromPage_ = 0;
    int toPage_ = 0;
    std::uint16_t copies_ = 1;
    bool cancel_ = false;
    int runs_ = 0;
    PrintDialogRecord prepared_;
};
