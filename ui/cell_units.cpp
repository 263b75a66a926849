// CellUnits: UTF-8 walked by NextCellChar and written as UTF-16.
#include "ui/cell_units.h"

#include "text/char_cells.h"

std::size_t CellUnits(const char* text, std::size_t length, char16_t* units, int* cells,
                      std::size_t room) {
    std::size_t written = 0;
    for (std::size_t at = 0; at < length;) {
        CellChar ch = NextCellChar(text, length, at);
        at += ch.bytes;
        if (ch.code <= 0xFFFF) {
            if (written == room) {
                break;
            }
            units[written] = static_cast<char16_t>(ch.code);
            cells[written++] = ch.cells;
            continue;
        }
        if (room - written < 2) {
            break;
        }
        const char32_t offset = ch.code - 0x10000;
        units[written] = static_cast<char16_t>(0xD800 + (offset >> 10));
        cells[written++] = ch.cells;
        units[written] = static_cast<char16_t>(0xDC00 + (offset & 0x3FF));
        cells[written++] = 0;
    }
    return written;
}
