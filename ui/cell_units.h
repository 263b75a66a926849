// CellUnits: a UTF-8 line as the UTF-16 units that the system's wide drawing calls take, with
// the cells that the pen moves after each unit, so that every character lands at its cell
// whatever the width of its glyph.
#pragma once

#include <cstddef>

// Converts text[0, length) into `units` (room for `room` units; `length` units always
// suffice, since no character takes more units than bytes) and writes beside each unit in
// `cells` the cells its character covers: 1, 2 for a wide character, 0 for a combining or
// other character of no width, which so draws over the character before it. A character of
// two units (beyond U+FFFF) gives its cells to its first unit and 0 to its second. Invalid
// bytes become U+FFFD of one cell each. Stops before a character that finds no room. Returns
// the units written.
std::size_t CellUnits(const char* text, std::size_t length, char16_t* units, int* cells,
                      std::size_t room);
