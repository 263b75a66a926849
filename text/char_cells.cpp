// Character cells: the generated table and the walks over UTF-8 texts.
#include "text/char_cells.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "text/char_cells_table.inc"

namespace {

#if defined(__SSE2__)
// Whole characters of one cell each from the start of the sixteen bytes at `text`: ASCII and
// letters of two bytes from U+0080 to U+02FF and U+0380 to U+047F, as the line reader's blocks
// take them, up to a letter that the block's end cuts. `text` starts at a character's first
// byte. The bytes and cells of those characters, or no bytes when the block holds others.
CellCut BlockOfLetters(const char* text) {
    __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text));
    // As signed bytes: continuation bytes -128..-65, first bytes C2..CB -62..-53 and CE..D1
    // -50..-47; a range is tested as CopyTextBlock tests it.
    auto within = [](__m128i lanes, int low, int high) {
        __m128i shifted = _mm_add_epi8(lanes, _mm_set1_epi8(static_cast<char>(127 - high)));
        return _mm_cmpgt_epi8(shifted, _mm_set1_epi8(static_cast<char>(126 - (high - low))));
    };
    auto mask = [](__m128i lanes) { return static_cast<unsigned>(_mm_movemask_epi8(lanes)); };
    const unsigned high = mask(bytes);
    const __m128i tails = _mm_cmplt_epi8(bytes, _mm_set1_epi8(-64));
    const unsigned tail = mask(tails);
    const unsigned lead = mask(_mm_or_si128(within(bytes, -62, -53), within(bytes, -50, -47)));
    // Every byte from 0x80 one of those, each first byte followed by one continuation byte
    // (but the last one's) and no other continuation byte.
    CellCut cut;
    if ((high & ~(tail | lead)) != 0 || ((lead << 1) & 0xFFFF) != tail) {
        return cut;
    }
    // A byte less for each continuation byte: their ones summed (a processor's bit count is
    // not to be assumed).
    __m128i sums = _mm_sad_epu8(_mm_and_si128(tails, _mm_set1_epi8(1)), _mm_setzero_si128());
    cut.bytes = 16 - (lead >> 15);
    cut.cells = cut.bytes - static_cast<std::size_t>(_mm_cvtsi128_si32(sums)) -
                static_cast<std::size_t>(_mm_extract_epi16(sums, 4));
    return cut;
}
#endif

}  // namespace

std::size_t CountCells(const char* text, std::size_t length) {
    std::size_t cells = 0;
    std::size_t at = 0;
    while (at < length) {
        std::size_t ascii = FindNonAscii(text + at, length - at);
        cells += ascii;
        at += ascii;
        if (at < length) {
            CellChar ch = NextCellChar(text, length, at);
            cells += static_cast<std::size_t>(ch.cells);
            at += ch.bytes;
        }
    }
    return cells;
}

CellCut CutAtCells(const char* text, std::size_t length, std::size_t cells) {
    CellCut cut;
    std::size_t at = 0;
#if defined(__SSE2__)
    std::size_t oneByOne = 0;  // where blocks are tried again after one that was not taken
#endif
    while (at < length) {
#if defined(__SSE2__)
        // Text of Latin, Greek or Cyrillic letters: sixteen bytes at a time while their cells
        // surely fit.
        if (at >= oneByOne && length - at >= 16 && cut.cells + 16 <= cells) {
            CellCut block = BlockOfLetters(text + at);
            if (block.bytes > 0) {
                cut.cells += block.cells;
                at += block.bytes;
                continue;
            }
            oneByOne = at + 16;
        }
#endif
        if (static_cast<unsigned char>(text[at]) < 0x80 && cut.cells < cells) {
            // A run of ASCII, a cell a byte, as far as the cells allow.
            std::size_t run = FindNonAscii(text + at, length - at);
            if (run > cells - cut.cells) {
                run = cells - cut.cells;
            }
            cut.cells += run;
            at += run;
            continue;
        }
        CellChar ch = NextCellChar(text, length, at);
        auto width = static_cast<std::size_t>(ch.cells);
        // Characters of no width always go with the one before; the first character with a
        // width goes in whatever its width.
        if (width > 0 && cut.cells > 0 && cut.cells + width > cells) {
            break;
        }
        cut.cells += width;
        at += ch.bytes;
    }
    cut.bytes = at;
    return cut;
}
