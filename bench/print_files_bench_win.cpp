// Prints files onto the default printer with a new user's settings, either as one job of
// several (PrintFiles: one dialog, a document per file) or as one PrintFile per file, each
// with its own dialog. The print dialog is taken as answered with OK on the default printer,
// one copy.
// Usage: print_files_bench one|each FILE...
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "bench/bench_timing_win.h"
#include "print/gdi_print_surface_win.h"
#include "print/print_job.h"
#include "print/printer_device.h"

namespace {

class DefaultPrinterDialog : public PrintDialogRunner {
public:
    std::unique_ptr<PrintSurface> Run(PrintDialogRecord& record) override {
        char entry[3 * DeviceEntry::kSize];
        GetProfileStringA("windows", "device", ",,,", entry, sizeof entry);
        DeviceEntry parts;
        if (!ParseDeviceEntry(entry, &parts)) {
            return nullptr;
        }
        HDC dc = CreateDCA(parts.driver, parts.device, parts.port, nullptr);
        if (dc == nullptr) {
            return nullptr;
        }
        record.Flags &= ~kPrintDialogPageNums;
        record.Copies = 1;
        return std::make_unique<GdiPrintSurface>(dc);
    }
};

class QuietHost : public PrintJobHost {
public:
    void Warn(const char* text, const char*) override { std::fprintf(stderr, "%s\n", text); }
    bool AskNextSheet() override { return true; }
    void BeginWait() override {}
    void EndWait() override {}
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || (std::strcmp(argv[1], "one") != 0 && std::strcmp(argv[1], "each") != 0)) {
        std::fprintf(stderr, "usage: %s one|each FILE...\n", argv[0]);
        return 2;
    }
    PrinterDevice device;
    OpenDefaultPrinter(device);
    if (!device.HasDevice()) {
        std::fprintf(stderr, "no default printer\n");
        return 1;
    }
    PrintSettings settings;
    char face[PrintSettings::kFaceSize];
    device.ReadFaceName(face, sizeof face);
    ApplyPresets(settings, face);
    PageGeometry geometry;
    FontHandle printerFont = kNoFont;
    ApplyPrinterFont(device, settings, geometry, printerFont);
    TextBuffer text;
    DefaultPrinterDialog dialog;
    QuietHost host;
    PrintJob job(settings, geometry, device, text, dialog, host);
    double start = Now();
    int result = 1;
    if (std::strcmp(argv[1], "one") == 0) {
        std::vector<JobFile> files;
        for (int i = 2; i < argc; ++i) {
            files.push_back(JobFile{argv[i], argv[i]});
        }
        result = job.PrintFiles(files);
    } else {
        for (int i = 2; i < argc; ++i) {
            result &= job.PrintFile(argv[i]);
            // The shell makes its font again for the printer after every job.
            ApplyPrinterFont(device, settings, geometry, printerFont);
        }
    }
    std::printf("inside_ms=%.1f\n", Now() - start);
    device.SelectFont(kNoFont);
    device.FreeFont(printerFont);
    return result == 1 ? 0 : 1;
}
