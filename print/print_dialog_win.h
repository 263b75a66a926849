// SystemPrintDialog: the common print dialog (PrintDlgA), returning the chosen printer.
#pragma once

#include <windows.h>

#include "print/print_dialog.h"

class SystemPrintDialog : public PrintDialogRunner {
public:
    // `owner` may be null: the dialog then has no owner window.
    explicit SystemPrintDialog(HWND owner = nullptr) : owner_(owner) {}

    std::unique_ptr<PrintSurface> Run(PrintDialogRecord& record) override;

    // True when the last Run failed for want of a printer (no default printer, or no printer
    // at all) without showing any window, so the user has not been told.
    bool NoPrinterUntold() const { return noPrinterUntold_; }

private:
    HWND owner_;
    bool noPrinterUntold_ = false;
};
