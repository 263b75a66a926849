// GdiPrintSurface: the print engine's printer on a GDI device context.
#include "print/gdi_print_surface_win.h"

#include <memory>

#include "print/printer_device.h"
#include "print/text_helpers.h"

namespace {

HFONT AsFont(FontHandle font) {
    return reinterpret_cast<HFONT>(font);
}

FontHandle AsHandle(HGDIOBJ font) {
    return reinterpret_cast<FontHandle>(font);
}

}  // namespace

GdiPrintSurface::~GdiPrintSurface() {
    if (dc_ != nullptr) {
        DeleteDC(dc_);
    }
}

int GdiPrintSurface::Capability(DeviceCap cap) {
    switch (cap) {
        case DeviceCap::HorzRes:
            return GetDeviceCaps(dc_, HORZRES);
        case DeviceCap::VertRes:
            return GetDeviceCaps(dc_, VERTRES);
        case DeviceCap::LogPixelsX:
            return GetDeviceCaps(dc_, LOGPIXELSX);
        case DeviceCap::LogPixelsY:
            return GetDeviceCaps(dc_, LOGPIXELSY);
    }
    return 0;
}

bool GdiPrintSurface::ReadMetrics(FontMetrics* metrics) {
    TEXTMETRICA tm;
    if (!GetTextMetricsA(dc_, &tm)) {
        return false;
    }
    metrics->averageWidth = tm.tmAveCharWidth;
    metrics->height = tm.tmHeight;
    metrics->internalLeading = tm.tmInternalLeading;
    metrics->externalLeading = tm.tmExternalLeading;
    return true;
}

void GdiPrintSurface::ReadFaceName(char* out, std::size_t size) {
    if (size == 0) {
        return;
    }
    out[0] = '\0';
    char face[LF_FACESIZE] = {};
    if (GetTextFaceA(dc_, sizeof face, face) > 0) {
        CopyBounded(out, size, face);
    }
}

FontHandle GdiPrintSurface::MakeFont(const LogicalFont& font) {
    LOGFONTA logFont = {};
    logFont.lfHeight = font.height;
    logFont.lfWeight = font.weight;
    CopyBounded(logFont.lfFaceName, sizeof logFont.lfFaceName, font.faceName);
    return AsHandle(CreateFontIndirectA(&logFont));
}

void GdiPrintSurface::FreeFont(FontHandle font) {
    if (font != kNoFont) {
        DeleteObject(AsFont(font));
    }
}

FontHandle GdiPrintSurface::UseFont(FontHandle font) {
    if (font == kNoFont) {
        return kNoFont;
    }
    return AsHandle(SelectObject(dc_, AsFont(font)));
}

bool GdiPrintSurface::OpenDocument(const char* name) {
    DOCINFOA info = {};
    info.cbSize = sizeof info;
    info.lpszDocName = name;
    return StartDocA(dc_, &info) > 0;
}

void GdiPrintSurface::CloseDocument() {
    EndDoc(dc_);
}

bool GdiPrintSurface::OpenPage() {
    return StartPage(dc_) > 0;
}

void GdiPrintSurface::ClosePage() {
    EndPage(dc_);
}

void GdiPrintSurface::PutChars(int x, int y, const char* text, std::size_t length) {
    TextOutA(dc_, x, y, text, static_cast<int>(length));
}

void OpenDefaultPrinter(PrinterDevice& device) {
    // Longer than any profile entry the system writes, so a long device name is opened whole.
    char entry[3 * DeviceEntry::kSize];
    GetProfileStringA("windows", "device", ",,,", entry, sizeof entry);
    device.OpenDefault(entry, [](const DeviceEntry& parts) -> std::unique_ptr<PrintSurface> {
        HDC dc = CreateDCA(parts.driver, parts.device, parts.port, nullptr);
        if (dc == nullptr) {
            return nullptr;
        }
        return std::make_unique<GdiPrintSurface>(dc);
    });
}
