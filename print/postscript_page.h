// PostScriptPage: the text of one printed page as one self-contained block of PostScript, for
// printers that take page text as PostScript: each row one string shown at its cell position
// in one of the printer's own fonts, scaled so that every character is exactly one cell wide.
#pragma once

#include <cstddef>
#include <string>

// A printer font as a page block uses it. Measures in device units.
struct PostScriptFont {
    static constexpr std::size_t kNameSize = 64;
    char name[kNameSize] = {};      // PostScript name, such as NimbusMonoPS-Bold
    char fallback[kNameSize] = {};  // a resident font of the same metrics, used when the
                                    // printer lacks `name`: Courier or Courier-Bold
    int cellWidth = 0;              // advance of every character
    int emHeight = 0;               // the font's size
    int ascent = 0;                 // from the top of a cell down to the baseline
};

class PostScriptPage {
public:
    // The largest number of fonts one page can use.
    static constexpr int kMaxFonts = 8;

    // Starts an empty page: no font is defined on it yet.
    void Begin();

    // Draws the following rows in `font`. The first use of a font on a page defines it there,
    // so that no page depends on what an earlier page left behind. False, changing nothing,
    // when the page already uses kMaxFonts other fonts.
    bool UseFont(const PostScriptFont& font);

    // Shows `length` characters of `text` with the top-left corner of their first cell at
    // (x, y), device units with y growing downwards, in the font last given to UseFont. Leading
    // and trailing blanks are not drawn (the leading ones move the start by as many cells); a
    // row of blanks adds nothing. Without a font nothing is drawn.
    void Row(int x, int y, const char* text, std::size_t length);

    // Shows the UTF-8 `text` like Row, each character at its own cell: the characters of the
    // 1252 vector in strings, the others by their glyph names (FindPrinterGlyph), a character
    // of no width that draws nothing left out. False, adding nothing, when the printer's
    // fonts lack one of its characters (a wide one, a combining mark, U+FFFD...), so that the
    // caller can draw the page another way. Without a font nothing is drawn.
    bool RowText(int x, int y, const char* text, std::size_t length);

    // True when the page holds no row.
    bool Empty() const { return rows_ == 0; }

    // The whole block: set-up, fonts, rows, and a restore of everything it changed. Empty when
    // the page holds no row.
    std::string Text() const;

private:
    std::string body_;
    PostScriptFont fonts_[kMaxFonts];
    int fontCount_ = 0;
    int current_ = -1;  // index into fonts_, -1 for none
    int rows_ = 0;
};

// Appends `text` as a PostScript string with its parentheses: "(", ")" and "\" escaped, and
// every byte below 32 or above 126 as a three-digit octal escape.
void AppendPostScriptString(std::string& out, const char* text, std::size_t length);

// Copies the PostScript name (name 6) of an OpenType or TrueType font's "name" table into
// `out` of `size` bytes. False, with `out` empty, when the table holds none that is a valid
// name of at most size - 1 characters, or is cut short.
bool ReadPostScriptName(const unsigned char* table, std::size_t tableSize, char* out,
                        std::size_t size);
