// GdiPrintSurface: the print engine's printer on a GDI device context.
#include "print/gdi_print_surface_win.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "print/printer_device.h"
#include "print/printer_glyphs.h"
#include "print/text_helpers.h"
#include "ui/cell_units.h"

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

// TrueType faces as EnumFontFamiliesExW gives them: fixed-pitch ones and the others apart.
struct TrueTypeFaces {
    std::vector<std::wstring> fixed;
    std::vector<std::wstring> other;
};

int CALLBACK CollectTrueTypeFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD type,
                                 LPARAM faces) {
    // Faces named with "@" are the vertical forms of East Asian faces.
    if ((type & TRUETYPE_FONTTYPE) != 0 && font->lfFaceName[0] != L'@') {
        auto* lists = reinterpret_cast<TrueTypeFaces*>(faces);
        std::vector<std::wstring>& list =
            (font->lfPitchAndFamily & 3) == FIXED_PITCH ? lists->fixed : lists->other;
        list.emplace_back(font->lfFaceName);
    }
    return 1;
}

void AddFace(std::vector<std::wstring>& faces, const std::wstring& face) {
    if (face.empty()) {
        return;
    }
    for (const std::wstring& known : faces) {
        if (lstrcmpiW(known.c_str(), face.c_str()) == 0) {
            return;
        }
    }
    faces.push_back(face);
}

HFONT MakeProbeFont(const std::wstring& face) {
    LOGFONTW logFont = {};
    logFont.lfHeight = -64;
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    lstrcpynW(logFont.lfFaceName, face.c_str(), LF_FACESIZE);
    return CreateFontIndirectW(&logFont);
}

// Whether the face has the letters i, W and M, all of one advance.
bool EvenLatinAdvances(HDC probe, const std::wstring& face) {
    HFONT font = MakeProbeFont(face);
    if (font == nullptr) {
        return false;
    }
    HGDIOBJ previous = SelectObject(probe, font);
    INT narrow = 0;
    INT wide = 0;
    INT capital = 0;
    WORD glyphs[3] = {};
    bool even = GetGlyphIndicesW(probe, L"iWM", 3, glyphs, GGI_MARK_NONEXISTING_GLYPHS) == 3 &&
                glyphs[0] != 0xFFFF && glyphs[1] != 0xFFFF && glyphs[2] != 0xFFFF &&
                GetCharWidth32W(probe, L'i', L'i', &narrow) &&
                GetCharWidth32W(probe, L'W', L'W', &wide) &&
                GetCharWidth32W(probe, L'M', L'M', &capital) && narrow > 0 && narrow == wide &&
                wide == capital;
    SelectObject(probe, previous);
    DeleteObject(font);
    return even;
}

std::string Narrow(const std::wstring& text) {
    int length = static_cast<int>(text.size());
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0) {
        WideCharToMultiByte(CP_UTF8, 0, text.data(), length, narrow.data(), bytes, nullptr,
                            nullptr);
    }
    return narrow;
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
    TEXTMETRICW tm;
    wchar_t face[LF_FACESIZE] = {};
    if (GetTextMetricsW(dc_, &tm) && (tm.tmPitchAndFamily & TMPF_TRUETYPE) != 0 &&
        GetTextFaceW(dc_, LF_FACESIZE, face) > 0) {
        defaultFace_ = face;
    }
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
    GetObjectW(GetCurrentObject(dc_, OBJ_FONT), sizeof facts.logFont, &facts.logFont);
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
    pageRows_.clear();
    pageLacks_ = false;
    pageScriptRows_ = 0;
    if (StartPage(dc_) <= 0) {
        return false;
    }
    SetBkMode(dc_, TRANSPARENT);
    return true;
}

void GdiPrintSurface::ClosePage() {
    if (pageLacks_) {
        DrawPageInTrueType();
    } else {
        SendPage();
    }
    pageRows_.clear();
    pageLacks_ = false;
    pageScriptRows_ = 0;
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

void GdiPrintSurface::PutChars(int x, int y, const CellRun& run, int cellWidth) {
    if (current_.printerFont && page_.UseFont(current_.postScript)) {
        bool shown = !pageLacks_;
        if (shown && run.ascii) {
            page_.Row(x, y, run.text, run.length);
        } else if (shown) {
            shown = page_.RowText(x, y, run.text, run.length);
        }
        KeepPageRow(x, y, run.text, run.length, cellWidth, shown);
        return;
    }
    if (run.ascii) {
        PutBytes(x, y, run.text, run.length);
    } else {
        PutWide(x, y, run.text, run.length, cellWidth);
    }
}

bool GdiPrintSurface::KeepPageRow(int x, int y, const char* text, std::size_t length, int cellWidth,
                                  bool shown) {
    pageRows_.push_back({x, y, cellWidth, std::string(text, length), current_.logFont});
    if (shown) {
        ++postScriptRows_;
        ++pageScriptRows_;
    } else {
        pageLacks_ = true;
    }
    return shown;
}

void GdiPrintSurface::DrawPageInTrueType() {
    page_.Begin();
    postScriptRows_ -= pageScriptRows_;
    // The characters beyond ASCII that the face must have.
    std::wstring characters;
    for (const PageRow& row : pageRows_) {
        const char* text = row.text.data();
        std::size_t length = row.text.size();
        for (std::size_t at = 0; at < length;) {
            CellChar ch = NextCellChar(text, length, at);
            at += ch.bytes;
            if (ch.code < 0x80 || ch.code >= 0x10000 || (ch.cells == 0 && DrawsNothing(ch.code))) {
                continue;
            }
            auto unit = static_cast<wchar_t>(ch.code);
            if (characters.find(unit) == std::wstring::npos) {
                characters += unit;
            }
        }
    }
    std::wstring face = ChooseCoveringFace(characters);
    HGDIOBJ original = GetCurrentObject(dc_, OBJ_FONT);
    HFONT made = nullptr;
    LOGFONTW madeFrom = {};
    for (const PageRow& row : pageRows_) {
        if (made == nullptr || row.logFont.lfHeight != madeFrom.lfHeight ||
            row.logFont.lfWeight != madeFrom.lfWeight ||
            row.logFont.lfItalic != madeFrom.lfItalic) {
            if (made != nullptr) {
                SelectObject(dc_, original);
                DeleteObject(made);
            }
            madeFrom = row.logFont;
            LOGFONTW logFont = row.logFont;
            logFont.lfCharSet = DEFAULT_CHARSET;
            logFont.lfOutPrecision = OUT_TT_ONLY_PRECIS;
            logFont.lfPitchAndFamily = 0;
            lstrcpynW(logFont.lfFaceName, face.c_str(), LF_FACESIZE);
            made = CreateFontIndirectW(&logFont);
            if (made == nullptr) {
                break;
            }
            SelectObject(dc_, made);
        }
        PutWide(row.x, row.y, row.text.data(), row.text.size(), row.cellWidth);
    }
    SelectObject(dc_, original);
    if (made != nullptr) {
        DeleteObject(made);
    }
    ++coveredPages_;
    coveringFace_ = Narrow(face);
}

// The first TrueType face that has every one of `characters`, else the one that has the most:
// the face that served last, then the face the system stands in with for the printer's
// default font, then the fixed-pitch faces, those fixed-pitch in their Latin letters, and
// the others.
std::wstring GdiPrintSurface::ChooseCoveringFace(const std::wstring& characters) {
    if (!facesListed_) {
        facesListed_ = true;
        HDC screen = CreateCompatibleDC(nullptr);
        if (screen != nullptr) {
            TrueTypeFaces found;
            LOGFONTW all = {};
            all.lfCharSet = DEFAULT_CHARSET;
            EnumFontFamiliesExW(screen, &all, CollectTrueTypeFace, reinterpret_cast<LPARAM>(&found),
                                0);
            for (const std::wstring& face : found.fixed) {
                AddFace(faces_, face);
            }
            // A face whose Latin letters share one advance is fixed-pitch in practice, though
            // it reports a variable pitch for its wide East Asian characters.
            std::vector<std::wstring> variable;
            for (const std::wstring& face : found.other) {
                (EvenLatinAdvances(screen, face) ? faces_ : variable).push_back(face);
            }
            for (const std::wstring& face : variable) {
                AddFace(faces_, face);
            }
            DeleteDC(screen);
        }
    }
    std::vector<std::wstring> order;
    AddFace(order, lastFace_);
    AddFace(order, defaultFace_);
    for (const std::wstring& face : faces_) {
        AddFace(order, face);
    }
    if (order.empty()) {
        return L"";
    }
    HDC probe = CreateCompatibleDC(nullptr);
    if (probe == nullptr) {
        return order.front();
    }
    std::wstring best = order.front();
    int bestCount = -1;
    int wanted = static_cast<int>(characters.size());
    std::vector<WORD> glyphs(characters.size() + 1);
    for (const std::wstring& face : order) {
        HFONT font = MakeProbeFont(face);
        if (font == nullptr) {
            continue;
        }
        HGDIOBJ previous = SelectObject(probe, font);
        wchar_t realised[LF_FACESIZE] = {};
        GetTextFaceW(probe, LF_FACESIZE, realised);
        int count = -1;
        // A face the system replaced with another is not the one asked for.
        if (lstrcmpiW(realised, face.c_str()) == 0) {
            count = 0;
            if (wanted > 0 && GetGlyphIndicesW(probe, characters.data(), wanted, glyphs.data(),
                                               GGI_MARK_NONEXISTING_GLYPHS) != GDI_ERROR) {
                for (int i = 0; i < wanted; ++i) {
                    count += glyphs[static_cast<std::size_t>(i)] != 0xFFFF ? 1 : 0;
                }
            }
        }
        SelectObject(probe, previous);
        DeleteObject(font);
        if (count > bestCount) {
            best = face;
            bestCount = count;
        }
        if (count == wanted) {
            break;
        }
    }
    DeleteDC(probe);
    lastFace_ = best;
    return best;
}

void GdiPrintSurface::PutWide(int x, int y, const char* text, std::size_t length, int cellWidth) {
    BlankTrim shown = TrimBlanks(text, length);
    if (shown.first == shown.end) {
        return;
    }
    // Each unit's advance is its cells (see CellUnits): a wide character two, a mark none,
    // the second unit of a pair none.
    std::size_t room = shown.end - shown.first;
    units_.resize(room);
    cells_.resize(room);
    advances_.resize(room);
    std::size_t count = CellUnits(text + shown.first, room, units_.data(), cells_.data(), room);
    for (std::size_t i = 0; i < count; ++i) {
        advances_[i] = cells_[i] * cellWidth;
    }
    // Leading blanks are ASCII: a cell each.
    int left = x + static_cast<int>(shown.first) * cellWidth;
    static_assert(sizeof(WCHAR) == sizeof(char16_t), "the wide calls take UTF-16 units");
    if (ExtTextOutW(dc_, left, y, 0, nullptr, reinterpret_cast<const WCHAR*>(units_.data()),
                    static_cast<UINT>(count), advances_.data())) {
        ++textOutRows_;
    }
}

void GdiPrintSurface::PutBytes(int x, int y, const char* text, std::size_t length) {
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
