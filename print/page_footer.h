// The page footer: the file name centred on the text width and the page number at its end.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr int kFooterSize = 256;      // the footer line, terminator included
inline constexpr int kFooterNameChars = 41;  // the file name shows at most this much

// Builds the footer into `out` (kFooterSize bytes) and returns its length: blanks, the last
// component of `path` (at most 41 characters) from column (width - name length) / 2, and the
// page number ending at column width - 2, so the line is width - 1 characters long. The
// number is written after the name and covers it where they meet. A width above 255 counts
// as 255; when the name and the number do not both fit, the number keeps its place and the
// name is cut (starting at column 0 at the earliest); a number wider than the line starts
// at column 0.
std::size_t BuildFooterLine(char* out, const char* path, int width, std::int64_t pageNumber);
