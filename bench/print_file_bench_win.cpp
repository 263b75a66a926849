// Prints one file through PrintFile and GDI onto the default printer, with a new user's
// settings, and reports how long the program itself took. The print dialog is taken as
// answered with OK on the default printer, one copy.
// Usage: print_file_bench FILE [FACE [OUTPUT]]   (FACE: print in that face instead of the
// preset one, "-" for the preset; OUTPUT: write the printer's data into that file instead of
// spooling it).
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "print/gdi_print_surface_win.h"
#include "print/print_job.h"
#include "print/printer_device.h"
#include "print/text_helpers.h"

namespace {

const char* OutputFile = nullptr;

// The printer, writing into OutputFile when there is one.
class BenchSurface : public GdiPrintSurface {
public:
    using GdiPrintSurface::GdiPrintSurface;
    bool OpenDocument(const char* name) override {
        DOCINFOA info = {};
        info.cbSize = sizeof info;
        info.lpszDocName = name;
        info.lpszOutput = OutputFile;
        return StartDocA(Handle(), &info) > 0;
    }
};

// The print dialog as a user who presses OK at once.
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
        return std::make_unique<BenchSurface>(dc);
    }
};

class QuietHost : public PrintJobHost {
public:
    void Warn(const char* text, const char*) override { std::fprintf(stderr, "%s\n", text); }
    bool AskNextSheet() override { return true; }
    void BeginWait() override {}
    void EndWait() override {}
};

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 /
           static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE [FACE]\n", argv[0]);
        return 2;
    }
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
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
    if (argc > 2 && std::strcmp(argv[2], "-") != 0) {
        CopyBounded(settings.font, sizeof settings.font, argv[2]);
    }
    if (argc > 3) {
        OutputFile = argv[3];
    }
    PageGeometry geometry;
    FontHandle printerFont = kNoFont;
    ApplyPrinterFont(device, settings, geometry, printerFont);

    TextBuffer text;
    DefaultPrinterDialog dialog;
    QuietHost host;
    PrintJob job(settings, geometry, device, text, dialog, host);
    LARGE_INTEGER begun;
    QueryPerformanceCounter(&begun);
    int result = job.PrintFile(argv[1]);
    LARGE_INTEGER done;
    QueryPerformanceCounter(&done);
    auto* surface = dynamic_cast<GdiPrintSurface*>(device.Surface());
    std::printf("face=%s start_ms=%.1f printfile_ms=%.1f postscript_rows=%ld textout_rows=%ld\n",
                settings.font, Milliseconds(start, begun), Milliseconds(begun, done),
                surface != nullptr ? surface->PostScriptRows() : 0L,
                surface != nullptr ? surface->TextOutRows() : 0L);
    device.SelectFont(kNoFont);
    device.FreeFont(printerFont);
    return result == 1 ? 0 : 1;
}
