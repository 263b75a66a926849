// Character cells: the generated table and the walks over UTF-8 texts.
#include "text/char_cells.h"

#include "text/char_cells_table.inc"
#include "text/letter_blocks.h"

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
        // Text of ASCII, letters and characters of three bytes: in blocks while their cells
        // surely fit (a block covers no more cells than it has bytes).
        if (at >= oneByOne && length - at >= 16 && cut.cells + 16 <= cells) {
            std::size_t room = cells - cut.cells;
            TextBlock block =
                length - at >= 64 && room >= 64   ? CopyTextBlock<4, false>(nullptr, text + at)
                : length - at >= 32 && room >= 32 ? CopyTextBlock<2, false>(nullptr, text + at)
                                                  : CopyTextBlock<1, false>(nullptr, text + at);
            cut.cells += block.Taken() - block.Extra();
            at += block.Taken();
            if (!block.Stopped()) {
                continue;
            }
            // What stopped it goes one by one, and so does the rest of a block that took
            // nothing.
            oneByOne = block.Taken() == 0 ? at + 16 : at + 1;
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
