// The main window's print command: the job, then the printing font made again for the printer
// the job leaves in use.
#pragma once

#include <vector>

#include "print/page_geometry.h"
#include "print/print_job.h"
#include "print/print_settings.h"
#include "print/printer_device.h"

// Prints `path` with `job`. Afterwards, with a printer, `printerFont` is made again from the
// settings for the printer in use (which the print dialog may have changed, resolution and
// all), selected, and the geometry recomputed, so Pitch and the summary keep their values.
// Returns what PrintFile returned.
int PrintWithPrinterFont(PrintJob& job, const char* path, PrinterDevice& device,
                         PrintSettings& settings, PageGeometry& geometry, FontHandle& printerFont);
// The same for several files after one dialog (PrintJob::PrintFiles).
int PrintFilesWithPrinterFont(PrintJob& job, const std::vector<JobFile>& files,
                              PrinterDevice& device, PrintSettings& settings,
                              PageGeometry& geometry, FontHandle& printerFont);
