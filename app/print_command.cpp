// The main window's print command.
#include "app/print_command.h"

int PrintWithPrinterFont(PrintJob& job, const char* path, PrinterDevice& device,
                         PrintSettings& settings, PageGeometry& geometry, FontHandle& printerFont) {
    int result = job.PrintFile(path);
    // The job ends with the font selected that was made for the printer before the dialog;
    // on a printer of another resolution it has another size.
    if (device.HasDevice()) {
        ApplyPrinterFont(device, settings, geometry, printerFont);
    }
    return result;
}

int PrintFilesWithPrinterFont(PrintJob& job, const std::vector<JobFile>& files,
                              PrinterDevice& device, PrintSettings& settings,
                              PageGeometry& geometry, FontHandle& printerFont) {
    int result = job.PrintFiles(files);
    if (device.HasDevice()) {
        ApplyPrinterFont(device, settings, geometry, printerFont);
    }
    return result;
}
