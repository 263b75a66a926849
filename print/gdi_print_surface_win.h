// GdiPrintSurface: a printer device context driven through GDI; it owns the context.
#pragma once

#include <windows.h>

#include <map>

#include "print/postscript_page.h"
#include "print/print_surface.h"

// What the abort procedure of every GDI document asks while the system spools it: lets the
// user interface run and answers whether the document goes on. Null: it always goes on.
using PrintAbortCheck = bool (*)(void* context);
void SetPrintAbortCheck(PrintAbortCheck check, void* context);

// On a printer that takes PostScript, text drawn in one of the printer's own fixed-pitch fonts
// goes to the printer as one block of PostScript per page (see PostScriptPage), which costs
// the printer driver a fraction of what a TextOutA per row costs it. Text in any other font is
// drawn with TextOutA, without its leading and trailing blanks and on a transparent background.
// Both ways put every character in the same cell.
class GdiPrintSurface : public PrintSurface {
public:
    // Takes ownership of `dc`, which is deleted with the surface.
    explicit GdiPrintSurface(HDC dc);
    ~GdiPrintSurface() override;
    GdiPrintSurface(const GdiPrintSurface&) = delete;
    GdiPrintSurface& operator=(const GdiPrintSurface&) = delete;

    HDC Handle() const { return dc_; }

    int Capability(DeviceCap cap) override;
    bool ReadMetrics(FontMetrics* metrics) override;
    // The face of the selected font. Before the program has selected a font of its own, a
    // PostScript printer whose default font the system can only stand in for with a TrueType
    // font names its own fixed-pitch font instead, when it has one that the system gives by
    // that name: that is the face a new user's settings start with.
    void ReadFaceName(char* out, std::size_t size) override;
    FontHandle MakeFont(const LogicalFont& font) override;
    void FreeFont(FontHandle font) override;
    FontHandle UseFont(FontHandle font) override;
    bool OpenDocument(const char* name) override;
    void CloseDocument() override;
    void AbortDocument() override;
    bool OpenPage() override;
    void ClosePage() override;
    // UTF-8 other than ASCII goes to the PostScript blocks as 8-bit text of 1252, one byte per
    // cell ("?" for a character that 1252 lacks), and is drawn with TextOutW otherwise.
    void PutChars(int x, int y, const CellRun& run, int cellWidth) override;

    // Whether the printer takes page text as PostScript.
    bool TakesPostScript() const { return takesPostScript_; }
    // Rows drawn so far as PostScript and with TextOutA.
    long PostScriptRows() const { return postScriptRows_; }
    long TextOutRows() const { return textOutRows_; }

private:
    // What drawing needs to know of a font, measured when it is first selected.
    struct FontFacts {
        bool printerFont = false;  // drawn as PostScript
        PostScriptFont postScript;
        int blankWidth = 0;  // advance of a blank, for the TextOutA way
    };

    FontFacts Measure();
    // Draws 8-bit text of the code page the way of the current font, a byte per cell.
    void PutBytes(int x, int y, const char* text, std::size_t length);
    bool FindPrinterFace(char* out, std::size_t size);
    void SendPage();

    HDC dc_;
    bool takesPostScript_ = false;
    bool fontChosen_ = false;  // the program has selected a font of its own
    std::map<FontHandle, FontFacts> facts_;
    FontFacts current_;
    PostScriptPage page_;
    long postScriptRows_ = 0;
    long textOutRows_ = 0;
};

// Opens the printer named by the profile's "device" entry of section "windows" (the system's
// default printer) into `device`; without one the device has no printer.
class PrinterDevice;
void OpenDefaultPrinter(PrinterDevice& device);
