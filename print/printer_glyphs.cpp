// Printer glyphs: the 1252 vector of the page blocks and the glyph names beyond it.
#include "print/printer_glyphs.h"

#include <algorithm>
#include <iterator>

namespace {

#include "print/printer_glyphs_table.inc"

// The characters of the vector's bytes 0x80 to 0x9F; 0 where code page 1252 has none.
constexpr char32_t kHighBytes[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// A byte the vector shows as a blank, for the control characters U+0080 to U+009F.
constexpr int kBlankByte = 0x81;

}  // namespace

bool FindPrinterGlyph(char32_t code, PrinterGlyph* glyph) {
    *glyph = PrinterGlyph();
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
        glyph->byte = static_cast<int>(code);
        return true;
    }
    if (code < 0xA0) {
        glyph->byte = kBlankByte;
        return true;
    }
    for (int i = 0; i < 32; ++i) {
        if (kHighBytes[i] == code) {
            glyph->byte = 0x80 + i;
            return true;
        }
    }
    const PrinterGlyphName* end = std::end(kPrinterGlyphNames);
    const PrinterGlyphName* found = std::lower_bound(
        std::begin(kPrinterGlyphNames), end, code,
        [](const PrinterGlyphName& entry, char32_t wanted) { return entry.code < wanted; });
    if (found == end || found->code != code) {
        return false;
    }
    glyph->name = found->name;
    return true;
}

bool DrawsNothing(char32_t code) {
    return (code >= 0x200B && code <= 0x200F) || (code >= 0x202A && code <= 0x202E) ||
           (code >= 0x2060 && code <= 0x2064) || code == 0xFEFF;
}
