// PostScriptPage: one page of text as one block of PostScript.
#include "print/postscript_page.h"

#include <cstdio>
#include <cstring>

#include "print/printer_glyphs.h"
#include "print/text_helpers.h"
#include "text/char_cells.h"

namespace {

// Everything a block changes lies between "save" and "restore", in a dictionary of its own.
// qf (name fallback key) gives the font `name`, or `fallback` when the printer has no such
// font, re-encoded for the program's 8-bit text (Windows code page 1252): ISO Latin-1 with the
// code page's own characters from 128 to 159, and the ASCII apostrophe, hyphen and grave where
// the Latin-1 vector has typographic ones. Control codes and the code page's holes show as
// blanks, so every byte advances one cell. The font is scaled to the size sz and across so
// that its blank is exactly cw units wide.
// Every block carries the whole definition, so that a page prints alone, but makes the
// re-encoded font only when the printer does not hold it yet under `key`: in global memory,
// which outlives the restore, so that the printer and a PDF writer meet one font per document
// and not one per page. The key names the font's content, which never changes.
// A character beyond the vector is shown by its glyph's name (g), at its own cell like a row.
constexpr char kPrologue[] =
    "save 16 dict begin\n"
    "/qf{3 dict begin/k exch def/b exch def/a exch def\n"
    "k/Font resourcestatus{pop pop}{currentglobal true setglobal\n"
    "/qe ISOLatin1Encoding 256 array copy def\n"
    "0 1 31{qe exch/space put}for qe 127/space put\n"
    "[39/quotesingle 45/hyphen 96/grave 128/Euro 129/space 130/quotesinglbase 131/florin\n"
    "132/quotedblbase 133/ellipsis 134/dagger 135/daggerdbl 136/circumflex 137/perthousand\n"
    "138/Scaron 139/guilsinglleft 140/OE 141/space 142/Zcaron 143/space 144/space\n"
    "145/quoteleft 146/quoteright 147/quotedblleft 148/quotedblright 149/bullet 150/endash\n"
    "151/emdash 152/tilde 153/trademark 154/scaron 155/guilsinglright 156/oe 157/space\n"
    "158/zcaron 159/Ydieresis]aload length 2 idiv{qe 3 1 roll put}repeat\n"
    "a/Font resourcestatus{pop pop a}{b}ifelse findfont\n"
    "dup length 1 add dict begin{1 index/FID ne{def}{pop pop}ifelse}forall\n"
    "/Encoding qe def currentdict end k exch definefont pop setglobal}ifelse\n"
    "k findfont[sz 0 0 sz neg 0 0]makefont dup setfont\n"
    "[cw( )stringwidth pop div 0 0 1 0 0]makefont end}bind def\n"
    "/s{moveto show}bind def/g{moveto glyphshow}bind def\n";

constexpr char kEpilogue[] = "end restore\n";

bool IsNameCharacter(unsigned ch) {
    return ch > 32 && ch < 127 && std::strchr("()<>[]{}/%", static_cast<int>(ch)) == nullptr;
}

bool SameFont(const PostScriptFont& a, const PostScriptFont& b) {
    return std::strcmp(a.name, b.name) == 0 && std::strcmp(a.fallback, b.fallback) == 0 &&
           a.cellWidth == b.cellWidth && a.emHeight == b.emHeight && a.ascent == b.ascent;
}

// A font name as a PostScript name literal: only the characters a name may hold.
void AppendName(std::string& out, const char* name) {
    out += '/';
    for (const char* p = name; *p != '\0'; ++p) {
        if (IsNameCharacter(static_cast<unsigned char>(*p))) {
            out += *p;
        }
    }
}

void AppendNumber(std::string& out, long long value) {
    char digits[24];
    std::snprintf(digits, sizeof digits, "%lld", value);
    out += digits;
}

}  // namespace

void AppendPostScriptString(std::string& out, const char* text, std::size_t length) {
    out += '(';
    for (std::size_t i = 0; i < length; ++i) {
        unsigned char ch = static_cast<unsigned char>(text[i]);
        if (ch == '(' || ch == ')' || ch == '\\') {
            out += '\\';
            out += static_cast<char>(ch);
        } else if (ch < 32 || ch > 126) {
            char escape[5] = {'\\', static_cast<char>('0' + (ch >> 6)),
                              static_cast<char>('0' + ((ch >> 3) & 7)),
                              static_cast<char>('0' + (ch & 7)), '\0'};
            out += escape;
        } else {
            out += static_cast<char>(ch);
        }
    }
    out += ')';
}

void PostScriptPage::Begin() {
    body_.clear();
    fontCount_ = 0;
    current_ = -1;
    rows_ = 0;
}

bool PostScriptPage::UseFont(const PostScriptFont& font) {
    for (int i = 0; i < fontCount_; ++i) {
        if (SameFont(fonts_[i], font)) {
            if (i != current_) {
                current_ = i;
                body_ += 'f';
                AppendNumber(body_, i);
                body_ += " setfont\n";
            }
            return true;
        }
    }
    if (fontCount_ == kMaxFonts) {
        return false;
    }
    int index = fontCount_++;
    fonts_[index] = font;
    current_ = index;
    // sz and cw are read by qf while it makes the font.
    body_ += "/sz ";
    AppendNumber(body_, font.emHeight);
    body_ += " def/cw ";
    AppendNumber(body_, font.cellWidth);
    body_ += " def/f";
    AppendNumber(body_, index);
    body_ += ' ';
    AppendName(body_, font.name);
    AppendName(body_, font.fallback[0] != '\0' ? font.fallback : "Courier");
    std::string key = "Quillmar-";
    key += font.name;
    AppendName(body_, key.c_str());
    body_ += " qf def f";
    AppendNumber(body_, index);
    body_ += " setfont\n";
    return true;
}

void PostScriptPage::Row(int x, int y, const char* text, std::size_t length) {
    if (current_ < 0) {
        return;
    }
    BlankTrim shown = TrimBlanks(text, length);
    std::size_t first = shown.first;
    std::size_t end = shown.end;
    if (first == end) {
        return;
    }
    const PostScriptFont& font = fonts_[current_];
    AppendPostScriptString(body_, text + first, end - first);
    body_ += ' ';
    AppendNumber(body_, x + static_cast<long long>(first) * font.cellWidth);
    body_ += ' ';
    AppendNumber(body_, static_cast<long long>(y) + font.ascent);
    body_ += " s\n";
    ++rows_;
}

namespace {

void AppendPlace(std::string& out, long long x, long long y, const char* command) {
    out += ' ';
    AppendNumber(out, x);
    out += ' ';
    AppendNumber(out, y);
    out += command;
}

}  // namespace

bool PostScriptPage::RowText(int x, int y, const char* text, std::size_t length) {
    if (current_ < 0) {
        return true;
    }
    const PostScriptFont& font = fonts_[current_];
    long long baseline = static_cast<long long>(y) + font.ascent;
    std::string line;
    std::string bytes;        // vector bytes not shown yet
    long long bytesCell = 0;  // the cell of their first
    auto showBytes = [&]() {
        BlankTrim shown = TrimBlanks(bytes.data(), bytes.size());
        if (shown.first != shown.end) {
            if (!line.empty()) {
                line += ' ';
            }
            AppendPostScriptString(line, bytes.data() + shown.first, shown.end - shown.first);
            AppendPlace(line,
                        x + (bytesCell + static_cast<long long>(shown.first)) * font.cellWidth,
                        baseline, " s");
        }
        bytes.clear();
    };
    long long cell = 0;
    for (std::size_t at = 0; at < length;) {
        CellChar ch = NextCellChar(text, length, at);
        at += ch.bytes;
        if (ch.cells == 0 && DrawsNothing(ch.code)) {
            continue;
        }
        PrinterGlyph glyph;
        if (ch.cells != 1 || !FindPrinterGlyph(ch.code, &glyph)) {
            return false;
        }
        if (glyph.name == nullptr) {
            if (bytes.empty()) {
                bytesCell = cell;
            }
            bytes += static_cast<char>(glyph.byte);
        } else {
            showBytes();
            if (!line.empty()) {
                line += ' ';
            }
            AppendName(line, glyph.name);
            AppendPlace(line, x + cell * font.cellWidth, baseline, " g");
        }
        ++cell;
    }
    showBytes();
    if (!line.empty()) {
        body_ += line;
        body_ += '\n';
        ++rows_;
    }
    return true;
}

std::string PostScriptPage::Text() const {
    if (rows_ == 0) {
        return std::string();
    }
    std::string text;
    text.reserve(sizeof kPrologue + body_.size() + sizeof kEpilogue);
    text += kPrologue;
    text += body_;
    text += kEpilogue;
    return text;
}

namespace {

unsigned ReadBigEndian16(const unsigned char* p) {
    return (static_cast<unsigned>(p[0]) << 8) | p[1];
}

}  // namespace

bool ReadPostScriptName(const unsigned char* table, std::size_t tableSize, char* out,
                        std::size_t size) {
    if (size == 0) {
        return false;
    }
    out[0] = '\0';
    if (table == nullptr || tableSize < 6) {
        return false;
    }
    std::size_t count = ReadBigEndian16(table + 2);
    std::size_t strings = ReadBigEndian16(table + 4);
    constexpr unsigned kPostScriptNameId = 6;
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned char* record = table + 6 + i * 12;
        if (record + 12 > table + tableSize) {
            return false;
        }
        unsigned platform = ReadBigEndian16(record);
        if (ReadBigEndian16(record + 6) != kPostScriptNameId || (platform != 1 && platform != 3)) {
            continue;
        }
        std::size_t length = ReadBigEndian16(record + 8);
        std::size_t start = strings + ReadBigEndian16(record + 10);
        if (start > tableSize || length > tableSize - start) {
            continue;
        }
        // Windows names are UTF-16 big-endian; Macintosh names are single bytes.
        std::size_t step = platform == 3 ? 2 : 1;
        std::size_t characters = length / step;
        if (characters == 0 || characters >= size) {
            continue;
        }
        bool valid = true;
        for (std::size_t c = 0; c < characters && valid; ++c) {
            const unsigned char* at = table + start + c * step;
            unsigned ch = step == 2 ? ReadBigEndian16(at) : at[0];
            valid = IsNameCharacter(ch);
            out[c] = static_cast<char>(ch);
        }
        if (valid) {
            out[characters] = '\0';
            return true;
        }
        out[0] = '\0';
    }
    return false;
}
