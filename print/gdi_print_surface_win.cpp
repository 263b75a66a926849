// GdiPrintSurface: the print engine's printer on a GDI device context.
#include "print/gdi_print_surface_win.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "print/printer_device.h"
#include "print/text_helpers.h"

namespace {

HFONT AsFont(FontHandle font) {
    return reinterpret_cast<HFONT>(font);
}

FontHandle AsHandle(HGDIOBJ font) {
    return reinterpret_cast<FontHandle>(font);
}

// The code page whose characters the page blocks' encoding shows (see PostScriptPage).
constexpr UINT kPostScriptCodePage = 1252;
// Each escape carries at most this many bytes, after a 16-bit count.
constexpr std::size_t kEscapeChunk = 0xFFFF;
constexpr DWORD kNameTable = 0x656D616E;  // "name", as GetFontData takes a table tag

// The code page of the 8-bit text the engine prints: the user's ANSI code page, which the
// program's UTF-8 active code page does not change.
UINT TextCodePage() {
    UINT codePage = 0;
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                       reinterpret_cast<LPSTR>(&codePage), sizeof codePage / sizeof(char)) == 0) {
        return GetACP();
    }
    return codePage;
}

bool IsFixedPitchPrinterFont(const TEXTMETRICA& tm) {
    // TMPF_FIXED_PITCH set means a variable pitch.
    return (tm.tmPitchAndFamily & TMPF_DEVICE) != 0 && (tm.tmPitchAndFamily & TMPF_TRUETYPE) == 0 &&
           (tm.tmPitchAndFamily & TMPF_FIXED_PITCH) == 0;
}

int CALLBACK CollectFixedPrinterFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD type,
                                     LPARAM faces) {
    if ((type & DEVICE_FONTTYPE) != 0 && (type & TRUETYPE_FONTTYPE) == 0 &&
        (font->lfPitchAndFamily & 3) == FIXED_PITCH) {
        auto* list = reinterpret_cast<std::vector<std::string>*>(faces);
        std::string face = font->lfFaceName;
        bool known = false;
        for (const std::string& seen : *list) {
            known = known || seen == face;
        }
        if (!known) {
            list->push_back(face);
        }
    }
    return 1;
}

}  // namespace

GdiPrintSurface::GdiPrintSurface(HDC dc) : dc_(dc) {
    if (dc_ == nullptr) {
        return;
    }
    int escape = PASSTHROUGH;
    takesPostScript_ = ExtEscape(dc_, QUERYESCSUPPORT, sizeof escape,
                                 reinterpret_cast<LPCSTR>(&escape), 0, nullptr) > 0;
    SetBkMode(dc_, TRANSPARENT);
    current_ = Measure();
}

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
    TEXTMETRICA tm;
    if (!fontChosen_ && takesPostScript_ && GetTextMetricsA(dc_, &tm) &&
        (tm.tmPitchAndFamily & TMPF_TRUETYPE) != 0 && FindPrinterFace(out, size)) {
        return;
    }
    char face[LF_FACESIZE] = {};
    if (GetTextFaceA(dc_, sizeof face, face) > 0) {
        CopyBounded(out, size, face);
    }
}

// The first of the printer's own fixed-pitch fonts that the system gives by its name, in both
// weights, as a printer font.
bool GdiPrintSurface::FindPrinterFace(char* out, std::size_t size) {
    std::vector<std::string> faces;
    LOGFONTA all = {};
    all.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExA(dc_, &all, CollectFixedPrinterFace, reinterpret_cast<LPARAM>(&faces), 0);
    for (const std::string& face : faces) {
        if (face.size() >= size || face.size() >= LF_FACESIZE) {
            continue;
        }
        bool usable = true;
        for (int weight : {FW_NORMAL, FW_BOLD}) {
            LOGFONTA logFont = {};
            logFont.lfHeight = -MulDiv(12, GetDeviceCaps(dc_, LOGPIXELSY), 72);
            logFont.lfWeight = weight;
            CopyBounded(logFont.lfFaceName, sizeof logFont.lfFaceName, face.c_str());
            HFONT font = CreateFontIndirectA(&logFont);
            if (font == nullptr) {
                usable = false;
                break;
            }
            HGDIOBJ previous = SelectObject(dc_, font);
            char realised[LF_FACESIZE] = {};
            GetTextFaceA(dc_, sizeof realised, realised);
            usable = usable && lstrcmpiA(realised, face.c_str()) == 0 && Measure().printerFont;
            SelectObject(dc_, previous);
            DeleteObject(font);
        }
        if (usable) {
            CopyBounded(out, size, face.c_str());
            return true;
        }
    }
    return false;
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
        // The system may hand the same handle to a later font.
        facts_.erase(font);
        DeleteObject(AsFont(font));
    }
}

FontHandle GdiPrintSurface::UseFont(FontHandle font) {
    if (font == kNoFont) {
        return kNoFont;
    }
    FontHandle previous = AsHandle(SelectObject(dc_, AsFont(font)));
    fontChosen_ = true;
    auto known = facts_.find(font);
    if (known == facts_.end()) {
        known = facts_.emplace(font, Measure()).first;
    }
    current_ = known->second;
    return previous;
}

GdiPrintSurface::FontFacts GdiPrintSurface::Measure() {
    FontFacts facts;
    TEXTMETRICA tm;
    if (!GetTextMetricsA(dc_, &tm)) {
        return facts;
    }
    INT blank = 0;
    facts.blankWidth =
        GetCharWidth32A(dc_, ' ', ' ', &blank) && blank > 0 ? blank : tm.tmAveCharWidth;
    if (!takesPostScript_ || !IsFixedPitchPrinterFont(tm) ||
        TextCodePage() != kPostScriptCodePage) {
        return facts;
    }
    PostScriptFont& font = facts.postScript;
    bool bold = tm.tmWeight >= FW_SEMIBOLD;
    DWORD tableSize = GetFontData(dc_, kNameTable, 0, nullptr, 0);
    if (tableSize != GDI_ERROR && tableSize > 0) {
        std::vector<unsigned char> table(tableSize);
        if (GetFontData(dc_, kNameTable, 0, table.data(), tableSize) == tableSize) {
            ReadPostScriptName(table.data(), table.size(), font.name, sizeof font.name);
        }
    }
    if (font.name[0] == '\0') {
        // A font the printer holds itself, such as Courier: its face is its name.
        char face[LF_FACESIZE] = {};
        GetTextFaceA(dc_, sizeof face, face);
        std::size_t length = 0;
        for (const char* p = face; *p != '\0' && length + 6 < sizeof font.name; ++p) {
            if (*p != ' ') {
                font.name[length++] = *p;
            }
        }
        CopyBounded(font.name + length, sizeof font.name - length, bold ? "-Bold" : "");
    }
    CopyBounded(font.fallback, sizeof font.fallback, bold ? "Courier-Bold" : "Courier");
    font.cellWidth = facts.blankWidth;
    font.emHeight = tm.tmHeight - tm.tmInternalLeading;
    font.ascent = tm.tmAscent;
    facts.printerFont = font.name[0] != '\0' && font.cellWidth > 0 && font.emHeight > 0;
    return facts;
}

namespace {

PrintAbortCheck abortCheck = nullptr;
void* abortContext = nullptr;

// The system calls it from inside the page and document calls while it spools, so that a
// long spool still lets the user stop the document; FALSE makes the system abandon it.
BOOL CALLBACK AbortProcedure(HDC, int) {
    return abortCheck == nullptr || abortCheck(abortContext) ? TRUE : FALSE;
}

}  // namespace

void SetPrintAbortCheck(PrintAbortCheck check, void* context) {
    abortCheck = check;
    abortContext = context;
}

bool GdiPrintSurface::OpenDocument(const char* name) {
    SetAbortProc(dc_, AbortProcedure);
    DOCINFOA info = {};
    info.cbSize = sizeof info;
    info.lpszDocName = name;
    return StartDocA(dc_, &info) > 0;
}

void GdiPrintSurface::CloseDocument() {
    EndDoc(dc_);
}

void GdiPrintSurface::AbortDocument() {
    page_.Begin();  // the blocks of an open page go nowhere
    AbortDoc(dc_);
}

bool GdiPrintSurface::OpenPage() {
    page_.Begin();
    if (StartPage(dc_) <= 0) {
        return false;
    }
    SetBkMode(dc_, TRANSPARENT);
    return true;
}

void GdiPrintSurface::ClosePage() {
    SendPage();
    EndPage(dc_);
}

void GdiPrintSurface::SendPage() {
    std::string text = page_.Text();
    page_.Begin();
    std::vector<char> chunk;
    for (std::size_t at = 0; at < text.size(); at += kEscapeChunk) {
        std::size_t length = text.size() - at < kEscapeChunk ? text.size() - at : kEscapeChunk;
        chunk.resize(2 + length);
        WORD count = static_cast<WORD>(length);
        std::memcpy(chunk.data(), &count, 2);
        std::memcpy(chunk.data() + 2, text.data() + at, length);
        ExtEscape(dc_, PASSTHROUGH, static_cast<int>(chunk.size()), chunk.data(), 0, nullptr);
    }
}

void GdiPrintSurface::PutChars(int x, int y, const CellRun& run, int) {
    if (run.ascii) {
        PutBytes(x, y, run.text, run.length);
        return;
    }
    if (!current_.printerFont) {
        // The wide call, from the first character that shows on.
        BlankTrim shown = TrimBlanks(run.text, run.length);
        int length = static_cast<int>(shown.end - shown.first);
        std::wstring wide(static_cast<std::size_t>(length), L'\0');
        int units = length == 0 ? 0
                                : MultiByteToWideChar(CP_UTF8, 0, run.text + shown.first, length,
                                                      wide.data(), length);
        if (units > 0) {
            TextOutW(dc_, x + static_cast<int>(shown.first) * current_.blankWidth, y, wide.data(),
                     units);
            ++textOutRows_;
        }
        return;
    }
    // The page blocks show the characters of 1252: one byte a cell, "?" for what it lacks.
    std::string bytes;
    bytes.reserve(run.cells);
    for (std::size_t at = 0; at < run.length;) {
        CellChar ch = NextCellChar(run.text, run.length, at);
        at += ch.bytes;
        if (ch.cells == 0) {
            continue;
        }
        wchar_t units[2];
        int count = 1;
        if (ch.code >= 0x10000) {
            units[0] = static_cast<wchar_t>(0xD800 + ((ch.code - 0x10000) >> 10));
            units[1] = static_cast<wchar_t>(0xDC00 + ((ch.code - 0x10000) & 0x3FF));
            count = 2;
        } else {
            units[0] = static_cast<wchar_t>(ch.code);
        }
        char converted[8];
        BOOL lacking = FALSE;
        int length = WideCharToMultiByte(kPostScriptCodePage, WC_NO_BEST_FIT_CHARS, units, count,
                                         converted, sizeof converted, "?", &lacking);
        if (length == ch.cells && !lacking) {
            bytes.append(converted, static_cast<std::size_t>(length));
        } else {
            bytes.append(static_cast<std::size_t>(ch.cells), '?');
        }
    }
    PutBytes(x, y, bytes.data(), bytes.size());
}

void GdiPrintSurface::PutBytes(int x, int y, const char* text, std::size_t length) {
    if (current_.printerFont && page_.UseFont(current_.postScript)) {
        page_.Row(x, y, text, length);
        ++postScriptRows_;
        return;
    }
    // Blanks on a transparent background show nothing: only the text between them is drawn.
    BlankTrim shown = TrimBlanks(text, length);
    if (shown.first == shown.end) {
        return;
    }
    TextOutA(dc_, x + static_cast<int>(shown.first) * current_.blankWidth, y, text + shown.first,
             static_cast<int>(shown.end - shown.first));
    ++textOutRows_;
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
