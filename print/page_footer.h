// The page footer: the file name centred on the text width and the page number at its end.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr int kFooterSize = 512;      // the footer line in bytes, terminator included
inline constexpr int kFooterNameChars = 41;  // the file name shows at most this many cells
// The file name's bytes at most: 41 cells of characters of up to four bytes, and characters of
// no width beside them.
inline constexpr std::size_t kFooterNameBytes = 192;

// Builds the footer into `out` (kFooterSize bytes) as UTF-8 and returns its length in bytes.
// In cells: blanks, the last component of `path` (UTF-8; at most 41 cells, never cut inside a
// character, an invalid byte shown as U+FFFD) from column (width - name cells) / 2, and the
// page number ending at column width - 2, so the line is width - 1 cells long. The number is
// written after the name and covers it where they meet (a wide character it would cover in
// half gives way to a blank). A width above 255 counts as 255; when the name and the number
// do not both fit, the number keeps its place and the name is cut (starting at column 0 at
// the earliest); a number wider than the line starts at column 0.
std::size_t BuildFooterLine(char* out, const char* path, int width, std::int64_t pageNumber);
