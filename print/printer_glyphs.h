// Printer glyphs: how a page block shows a character in the printer's own fixed-pitch fonts,
// either as a byte of the fonts' 1252 vector or by the name of a glyph the fonts carry.
#pragma once

struct PrinterGlyphName {
    char32_t code;
    const char* name;
};

// One character as a page block shows it: `byte` of the 1252 vector (0 to 255; the control
// characters are blanks there), or else the glyph `name`.
struct PrinterGlyph {
    int byte = -1;
    const char* name = nullptr;
};

// How the printer's fixed-pitch fonts show `code`. False, with `glyph` left empty, when they
// lack it. The glyph set beyond the vector is a fixed list, that of the monospaced fonts of
// the printer's interpreter (Courier and Nimbus Mono PS: Latin, Greek, Cyrillic, box drawing
// and a few symbols; no CJK and no U+FFFD), each glyph under the name it reads back as in a
// PDF made of the page.
bool FindPrinterGlyph(char32_t code, PrinterGlyph* glyph);

// Whether `code`, a character of no cells of its own, draws nothing at all (a zero-width space,
// joiner, direction mark or byte-order mark), so that a page block may leave it out.
bool DrawsNothing(char32_t code);
