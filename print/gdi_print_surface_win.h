// GdiPrintSurface: a printer device context driven through GDI; it owns the context.
#pragma once

#include <windows.h>

#include "print/print_surface.h"

class GdiPrintSurface : public PrintSurface {
public:
    // Takes ownership of `dc`, which is deleted with the surface.
    explicit GdiPrintSurface(HDC dc) : dc_(dc) {}
    ~GdiPrintSurface() override;
    GdiPrintSurface(const GdiPrintSurface&) = delete;
    GdiPrintSurface& operator=(const GdiPrintSurface&) = delete;

    HDC Handle() const { return dc_; }

    int Capability(DeviceCap cap) override;
    bool ReadMetrics(FontMetrics* metrics) override;
    void ReadFaceName(char* out, std::size_t size) override;
    FontHandle MakeFont(const LogicalFont& font) override;
    void FreeFont(FontHandle font) override;
    FontHandle UseFont(FontHandle font) override;
    bool OpenDocument(const char* name) override;
    void CloseDocument() override;
    bool OpenPage() override;
    void ClosePage() override;
    void PutChars(int x, int y, const char* text, std::size_t length) override;

private:
    HDC dc_;
};

// Opens the printer named by the profile's "device" entry of section "windows" (the system's
// default printer) into `device`; without one the device has no printer.
class PrinterDevice;
void OpenDefaultPrinter(PrinterDevice& device);
