// PrinterDevice: the printer, its font metrics and the page drawing state.
#include "print/printer_device.h"

#include <cstdint>
#include <cstring>

#include "print/mul_div.h"
#include "print/text_helpers.h"

namespace {

bool IsTokenDelimiter(char ch) {
    return ch == ',' || ch == ' ';
}

// Copies the next token delimited by commas or blanks (leading ones skipped) into `out`.
const char* NextToken(const char* text, char* out, std::size_t size) {
    while (*text != '\0' && IsTokenDelimiter(*text)) {
        ++text;
    }
    std::size_t length = 0;
    while (text[length] != '\0' && !IsTokenDelimiter(text[length])) {
        ++length;
    }
    if (length >= size) {
        length = size - 1;
    }
    std::memcpy(out, text, length);
    out[length] = '\0';
    while (*text != '\0' && !IsTokenDelimiter(*text)) {
        ++text;
    }
    return text;
}

}  // namespace

bool ParseDeviceEntry(const char* entry, DeviceEntry* parts) {
    *parts = DeviceEntry{};
    const char* comma = std::strchr(entry, ',');
    if (comma == nullptr || comma == entry) {
        return false;
    }
    std::size_t length = static_cast<std::size_t>(comma - entry);
    if (length >= sizeof parts->device) {
        return false;
    }
    std::memcpy(parts->device, entry, length);
    const char* rest = NextToken(comma + 1, parts->driver, sizeof parts->driver);
    NextToken(rest, parts->port, sizeof parts->port);
    return parts->driver[0] != '\0' && parts->port[0] != '\0';
}

void PrinterDevice::OpenDefault(const char* profileEntry, const Opener& open) {
    DeviceName[0] = '\0';
    std::unique_ptr<PrintSurface> surface;
    DeviceEntry parts;
    if (ParseDeviceEntry(profileEntry, &parts)) {
        // The name is cut for display only; the printer is opened by its full name.
        CopyBounded(DeviceName, sizeof DeviceName, parts.device);
        surface = open(parts);
    }
    CurrentFont = kNoFont;
    Attach(std::move(surface));
}

void PrinterDevice::Attach(std::unique_ptr<PrintSurface> surface) {
    surface_ = std::move(surface);
    PageWidth = Capability(DeviceCap::HorzRes);
    PageHeight = Capability(DeviceCap::VertRes);
    RefreshMetrics();
}

void PrinterDevice::RefreshMetrics() {
    FontMetrics metrics;
    if (surface_ == nullptr || !surface_->ReadMetrics(&metrics)) {
        CharWidth = 0;
        LineHeight = 0;
        PointSize = 0;
        return;
    }
    CharWidth = metrics.averageWidth;
    LineHeight = metrics.height + metrics.externalLeading;
    int points = MultiplyDivide(72, metrics.height - metrics.internalLeading,
                                Capability(DeviceCap::LogPixelsY));
    PointSize = points < 0 ? 0 : points;
}

FontHandle PrinterDevice::SelectFont(FontHandle font) {
    CurrentFont = font;
    if (font == kNoFont || surface_ == nullptr) {
        return kNoFont;
    }
    return surface_->UseFont(font);
}

bool PrinterDevice::BeginDocument(const char* name, std::uint32_t flags,
                                  PrintDialogRunner& dialog) {
    return ChoosePrinter(flags, dialog) && StartDocument(name);
}

bool PrinterDevice::ChoosePrinter(std::uint32_t flags, PrintDialogRunner& dialog) {
    OutputEnabled = true;
    PrintDialog = PrintDialogRecord{};
    PrintDialog.Flags = flags | kPrintDialogReturnDc;
    PrintDialog.FromPage = 1;
    PrintDialog.MinPage = 1;
    PrintDialog.ToPage = 65535;
    PrintDialog.MaxPage = 65535;
    std::unique_ptr<PrintSurface> chosen = dialog.Run(PrintDialog);
    if (chosen == nullptr) {
        return false;
    }
    Attach(std::move(chosen));
    return true;
}

bool PrinterDevice::StartDocument(const char* name) {
    OutputEnabled = true;
    return surface_ != nullptr && surface_->OpenDocument(name);
}

void PrinterDevice::EndDocument() {
    if (surface_ != nullptr) {
        surface_->CloseDocument();
    }
}

void PrinterDevice::AbortDocument() {
    if (surface_ != nullptr) {
        surface_->AbortDocument();
    }
}

bool PrinterDevice::BeginPage() {
    CurrentLine = 0;
    if (surface_ == nullptr) {
        return false;
    }
    if (OutputEnabled && !surface_->OpenPage()) {
        return false;
    }
    // Some printers reset the context at every page start.
    if (CurrentFont != kNoFont) {
        surface_->UseFont(CurrentFont);
    }
    return true;
}

void PrinterDevice::EndPage() {
    if (OutputEnabled && surface_ != nullptr) {
        surface_->ClosePage();
    }
}

void PrinterDevice::PutText(int column, const char* text, std::size_t length) {
    CellRun run;
    run.text = text;
    run.length = length;
    run.ascii = FindNonAscii(text, length) == length;
    run.cells = run.ascii ? length : CountCells(text, length);
    PutText(column, run);
}

void PrinterDevice::PutText(int column, const char* text) {
    PutText(column, text, std::strlen(text));
}

DeviceMeasures PrinterDevice::Measures() const {
    DeviceMeasures measures;
    measures.horzRes = PageWidth;
    measures.vertRes = PageHeight;
    measures.logPixelsX = Capability(DeviceCap::LogPixelsX);
    measures.logPixelsY = Capability(DeviceCap::LogPixelsY);
    measures.charWidth = CharWidth;
    measures.lineHeight = LineHeight;
    measures.pointSize = PointSize;
    return measures;
}

int PrinterDevice::Capability(DeviceCap cap) const {
    return surface_ != nullptr ? surface_->Capability(cap) : 0;
}

void PrinterDevice::ReadFaceName(char* out, std::size_t size) const {
    if (size == 0) {
        return;
    }
    out[0] = '\0';
    if (surface_ != nullptr) {
        surface_->ReadFaceName(out, size);
        out[size - 1] = '\0';
    }
}

FontHandle PrinterDevice::MakeFont(const LogicalFont& font) {
    return surface_ != nullptr ? surface_->MakeFont(font) : kNoFont;
}

void PrinterDevice::FreeFont(FontHandle font) {
    if (font != kNoFont && surface_ != nullptr) {
        surface_->FreeFont(font);
    }
}

FontHandle CreatePrintFont(PrinterDevice& device, const PrintSettings& settings, int weight) {
    LogicalFont font;
    CopyBounded(font.faceName, sizeof font.faceName, settings.font);
    font.height = -MultiplyDivide(settings.Pitch, device.Capability(DeviceCap::LogPixelsY), 72);
    font.weight = weight;
    return device.MakeFont(font);
}

void ApplyPrinterFont(PrinterDevice& device, PrintSettings& settings, PageGeometry& geometry,
                      FontHandle& printerFont) {
    FontHandle font = CreatePrintFont(device, settings, 400);
    device.SelectFont(font);
    device.FreeFont(printerFont);
    printerFont = font;
    device.RefreshMetrics();
    ComputePageGeometry(device.Measures(), settings, geometry);
}
