// Character cells: the generated table and the walks over UTF-8 texts.
#include "text/char_cells.h"

namespace {
#include "text/char_cells_table.inc"
}  // namespace

int CharCellsFromTable(char32_t code) {
    if (code > 0x10FFFF) {
        return 1;
    }
    unsigned block = kCellBlockOf[code >> 7];
    unsigned bits = kCellBlocks[block * 32 + ((code & 127) >> 2)];
    return static_cast<int>((bits >> ((code & 3) * 2)) & 3);
}

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
    while (at < length) {
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
