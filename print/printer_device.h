// PrinterDevice: the printer the program prints on, the metrics of its selected font, and the
// drawing state of the page in progress.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "print/page_geometry.h"
#include "print/print_dialog.h"
#include "print/print_settings.h"
#include "print/print_surface.h"

// The three parts of the profile's default-printer entry "device,driver,port".
struct DeviceEntry {
    static constexpr int kSize = 512;
    char device[kSize] = {};
    char driver[kSize] = {};
    char port[kSize] = {};
};

// Splits a profile entry: the device name is the text up to the first comma (it may hold
// blanks); the driver and the port are the next two tokens delimited by commas or blanks.
// False unless all three are there and not empty.
bool ParseDeviceEntry(const char* entry, DeviceEntry* parts);

class PrinterDevice {
public:
    static constexpr int kDeviceNameSize = 44;  // 43 characters shown, and the terminator
    using Opener = std::function<std::unique_ptr<PrintSurface>(const DeviceEntry&)>;

    PrinterDevice() = default;
    PrinterDevice(const PrinterDevice&) = delete;
    PrinterDevice& operator=(const PrinterDevice&) = delete;

    // Opens the printer named by the profile entry through `open`, which is called only when
    // the entry has all three parts. Without a printer every measure reads 0.
    void OpenDefault(const char* profileEntry, const Opener& open);

    // Takes `surface` as the printer (none: no printer) and reads its measures.
    void Attach(std::unique_ptr<PrintSurface> surface);

    // Reads CharWidth, LineHeight and PointSize from the selected font.
    void RefreshMetrics();

    // Remembers `font` as CurrentFont (also none) and selects it when given. Returns the font
    // it replaced, or none when given none.
    FontHandle SelectFont(FontHandle font);

    // Runs the print dialog with `flags`; on OK takes its printer in place of the current one
    // and starts the document `name` there. False when the dialog was cancelled or failed (the
    // printer stays) or the document did not start.
    bool BeginDocument(const char* name, std::uint32_t flags, PrintDialogRunner& dialog);
    // The two steps of BeginDocument: the dialog, whose printer replaces the current one on
    // OK (false otherwise), and the start of a document on the current printer (false when
    // it did not start; OutputEnabled is set either way).
    bool ChoosePrinter(std::uint32_t flags, PrintDialogRunner& dialog);
    bool StartDocument(const char* name);
    void EndDocument();
    // Abandons the document in progress: the spooler discards it.
    void AbortDocument();

    // Starts a page at line 0 (only with OutputEnabled) and selects CurrentFont again.
    // False when the page did not start.
    bool BeginPage();
    void EndPage();

    // Draws `run` from `column` of CurrentLine (only with OutputEnabled). The position is
    // computed in 64 bits; one outside the device's 32-bit range is not drawn.
    void PutText(int column, const CellRun& run) {
        if (!OutputEnabled || surface_ == nullptr) {
            return;
        }
        // Cells times cell size can pass 32 bits on a printer with a huge font; such a place
        // is off any page the device can address, so nothing is drawn there.
        std::int64_t x = static_cast<std::int64_t>(column) * CharWidth;
        std::int64_t y = static_cast<std::int64_t>(CurrentLine) * LineHeight;
        if (x < INT32_MIN || x > INT32_MAX || y < INT32_MIN || y > INT32_MAX) {
            return;
        }
        surface_->PutChars(static_cast<int>(x), static_cast<int>(y), run, CharWidth);
    }
    // The same for UTF-8 text whose cells are counted here.
    void PutText(int column, const char* text, std::size_t length);
    void PutText(int column, const char* text);

    bool HasDevice() const { return surface_ != nullptr; }
    PrintSurface* Surface() const { return surface_.get(); }
    DeviceMeasures Measures() const;
    int Capability(DeviceCap cap) const;
    // Face name of the font the printer holds now; empty without a printer.
    void ReadFaceName(char* out, std::size_t size) const;

    FontHandle MakeFont(const LogicalFont& font);
    void FreeFont(FontHandle font);

    bool OutputEnabled = true;
    int CharWidth = 0;
    int LineHeight = 0;
    int CurrentLine = 0;
    int PageHeight = 0;
    int PageWidth = 0;
    int PointSize = 0;
    FontHandle CurrentFont = kNoFont;
    char DeviceName[kDeviceNameSize] = {};
    PrintDialogRecord PrintDialog;

private:
    std::unique_ptr<PrintSurface> surface_;
};

// A new printing font from the settings' face and Pitch at `weight` (400 normal, 700 bold),
// sized for the printer's resolution; owned by the caller (free it with FreeFont).
FontHandle CreatePrintFont(PrinterDevice& device, const PrintSettings& settings, int weight);

// The order the shell follows whenever the printing font may have changed: a new normal font
// from the settings replaces `printerFont` on the printer (the old one is deleted once the
// printer no longer holds it), the metrics are read again and the geometry is recomputed.
void ApplyPrinterFont(PrinterDevice& device, PrintSettings& settings, PageGeometry& geometry,
                      FontHandle& printerFont);
