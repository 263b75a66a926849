// GdiPrintSurface: a printer device context driven through GDI; it owns the context.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "print/postscript_page.h"
#include "print/print_surface.h"

// What the abort procedure of every GDI document asks while the system spools it: lets the
// user interface run and answers whether the document goes on. Null: it always goes on.
using PrintAbortCheck = bool (*)(void* context);
void SetPrintAbortCheck(PrintAbortCheck check, void* context);

// On a printer that takes PostScript, text drawn in one of the printer's own fixed-pitch fonts
// goes to the printer as one block of PostScript per page (see PostScriptPage), which costs
// the printer driver a fraction of what a TextOutA per row costs it: the characters of code page
// 1252 in strings, the others by the names of the printer font's glyphs. A page holding a
// character that the printer's fonts lack goes the TextOut way as a whole, in a TrueType face
// that has its characters (fixed-pitch faces first). Text in any other font is drawn on a
// transparent background without its leading and trailing blanks: ASCII with TextOutA, other
// text with ExtTextOutW and an advance of its cells for each character, so that a glyph of
// another width never moves the ones after it. Both ways put every character in the same cell.
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
    void PutChars(int x, int y, const CellRun& run, int cellWidth) override;

    // Whether the printer takes page text as PostScript.
    bool TakesPostScript() const { return takesPostScript_; }
    // Rows drawn so far as PostScript and the TextOut way.
    long PostScriptRows() const { return postScriptRows_; }
    long TextOutRows() const { return textOutRows_; }
    // Pages that went the TextOut way for characters the printer's fonts lack, and the face
    // the last of them was drawn in.
    long CoveredPages() const { return coveredPages_; }
    const std::string& CoveringFace() const { return coveringFace_; }

private:
    // What drawing needs to know of a font, measured when it is first selected.
    struct FontFacts {
        bool printerFont = false;  // drawn as PostScript
        PostScriptFont postScript;
        int blankWidth = 0;     // advance of a blank, for the TextOutA way
        LOGFONTW logFont = {};  // as made, for a TrueType face of the same size
    };
    // A row of the page drawn in a printer font, kept until the page is sent.
    struct PageRow {
        int x;
        int y;
        int cellWidth;
        std::string text;  // UTF-8
        LOGFONTW logFont;
    };

    FontFacts Measure();
    // Draws ASCII the way of the current font, a byte per cell.
    void PutBytes(int x, int y, const char* text, std::size_t length);
    // Draws UTF-8 with ExtTextOutW in the selected font, each character its cells' advance.
    void PutWide(int x, int y, const char* text, std::size_t length, int cellWidth);
    bool FindPrinterFace(char* out, std::size_t size);
    // Keeps a row drawn in a printer font; false when the page must go the TextOut way.
    bool KeepPageRow(int x, int y, const char* text, std::size_t length, int cellWidth, bool shown);
    // Draws the kept rows of the page in a TrueType face that covers their characters.
    void DrawPageInTrueType();
    std::wstring ChooseCoveringFace(const std::wstring& characters);
    void SendPage();

    HDC dc_;
    bool takesPostScript_ = false;
    bool fontChosen_ = false;  // the program has selected a font of its own
    std::map<FontHandle, FontFacts> facts_;
    FontFacts current_;
    PostScriptPage page_;
    long postScriptRows_ = 0;
    long textOutRows_ = 0;
    std::vector<PageRow> pageRows_;
    bool pageLacks_ = false;  // a row of the page holds what the printer's fonts lack
    long pageScriptRows_ = 0;
    long coveredPages_ = 0;
    std::string coveringFace_;
    std::wstring defaultFace_;         // the TrueType face of the context's own font, if any
    std::wstring lastFace_;            // the face that covered the last such page
    std::vector<std::wstring> faces_;  // TrueType faces to try, fixed-pitch ones first
    bool facesListed_ = false;
    std::vector<char16_t> units_;  // buffers of PutWide
    std::vector<int> cells_;
    std::vector<INT> advances_;
};

// Opens the printer named by the profile's "device" entry of section "windows" (the system's
// default printer) into `device`; without one the device has no printer.
class PrinterDevice;
void OpenDefaultPrinter(PrinterDevice& device);
