// SystemPrintDialog: the common print dialog (PrintDlgA), returning the chosen printer.
#pragma once

#include <windows.h>

#include "print/print_dialog.h"

class SystemPrintDialog : public PrintDialogRunner {
public:
    // `owner` may be null: the dialog then has no owner window.
    explicit SystemPrintDialog(HWND owner = nullptr) : owner_(owner) {}

    std::unique_ptr<PrintSurface> Run(PrintDialogRecord& record) override;

private:
    HWND owner_;
};
