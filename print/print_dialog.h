// The print dialog as the print engine sees it: the record it fills and who runs it.
#pragma once

#include <cstdint>
#include <memory>

#include "print/print_surface.h"

// Flags of the system print dialog, with the system's values.
inline constexpr std::uint32_t kPrintDialogPageNums = 0x00000002;     // PD_PAGENUMS
inline constexpr std::uint32_t kPrintDialogNoSelection = 0x00000004;  // PD_NOSELECTION
inline constexpr std::uint32_t kPrintDialogReturnDc = 0x00000100;     // PD_RETURNDC

struct PrintDialogRecord {
    std::uint32_t Flags = 0;
    int FromPage = 0;
    int ToPage = 0;
    int MinPage = 0;
    int MaxPage = 0;
    std::uint16_t Copies = 0;
};

class PrintDialogRunner {
public:
    virtual ~PrintDialogRunner() = default;
    // Shows the dialog prepared in `record`. On OK, `record` holds the user's flags, page range
    // and copy count, and the result is the chosen printer. Null when the user cancelled or
    // the dialog failed; `record` is then of no meaning.
    virtual std::unique_ptr<PrintSurface> Run(PrintDialogRecord& record) = 0;
};
