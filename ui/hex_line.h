// FormatHexLine: one line of the file viewer's hex dump.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int kHexBytesPerLine = 16;
// Columns of a full hex line: offset, the byte pairs, then the bytes as characters.
constexpr int kHexLineLength = 74;
constexpr int kHexCharColumn = 58;

// Writes the line for up to 16 `bytes` (`count`; more are ignored) at `offset` into `out`,
// which holds at least kHexLineLength + 1 characters: the offset as 8 upper-case hex digits
// (none when count is 0), from column 10 each byte as two digits and a blank, blanks up to
// column 57, and from column 58 each byte itself when printable (0x20 to 0x7E), else ".".
// Returns the line's length; the line is terminated.
std::size_t FormatHexLine(std::uint32_t offset, const unsigned char* bytes, int count, char* out);
