// SystemPrintDialog: PrintDlgA with the page range and copies left to the program.
#include "print/print_dialog_win.h"

#include <cderr.h>
#include <commdlg.h>

#include "print/gdi_print_surface_win.h"

static_assert(kPrintDialogPageNums == PD_PAGENUMS, "page range flag");
static_assert(kPrintDialogNoSelection == PD_NOSELECTION, "no selection flag");
static_assert(kPrintDialogReturnDc == PD_RETURNDC, "returned context flag");

namespace {

// Top-level windows created on this thread while a dialog runs: the dialog itself, or the
// warning it shows when there is no printer.
thread_local int windowsShown = 0;

LRESULT CALLBACK CountShownWindows(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        if ((create->style & WS_CHILD) == 0) {
            ++windowsShown;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

std::unique_ptr<PrintSurface> SystemPrintDialog::Run(PrintDialogRecord& record) {
    PRINTDLGA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_;
    dialog.Flags = record.Flags;
    dialog.nFromPage = static_cast<WORD>(record.FromPage);
    dialog.nToPage = static_cast<WORD>(record.ToPage);
    dialog.nMinPage = static_cast<WORD>(record.MinPage);
    dialog.nMaxPage = static_cast<WORD>(record.MaxPage);
    noPrinterUntold_ = false;
    windowsShown = 0;
    HHOOK hook = SetWindowsHookExA(WH_CBT, CountShownWindows, nullptr, GetCurrentThreadId());
    BOOL accepted = PrintDlgA(&dialog);
    DWORD error = accepted ? 0 : CommDlgExtendedError();
    if (hook != nullptr) {
        UnhookWindowsHookEx(hook);
        noPrinterUntold_ =
            (error == PDERR_NODEFAULTPRN || error == PDERR_NODEVICES) && windowsShown == 0;
    }
    // The dialog allocates the printer's mode and names for the caller to free.
    if (dialog.hDevMode != nullptr) {
        GlobalFree(dialog.hDevMode);
    }
    if (dialog.hDevNames != nullptr) {
        GlobalFree(dialog.hDevNames);
    }
    if (!accepted || dialog.hDC == nullptr) {
        if (dialog.hDC != nullptr) {
            DeleteDC(dialog.hDC);
        }
        return nullptr;
    }
    record.Flags = dialog.Flags;
    record.FromPage = dialog.nFromPage;
    record.ToPage = dialog.nToPage;
    record.MinPage = dialog.nMinPage;
    record.MaxPage = dialog.nMaxPage;
    record.Copies = dialog.nCopies;
    return std::make_unique<GdiPrintSurface>(dialog.hDC);
}
