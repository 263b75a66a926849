// File times as the date texts of the file browser's rows: month, day and year, "03/07/06".
#pragma once

#include <cstddef>
#include <cstdint>

// "MM/DD/YY" and its terminator.
inline constexpr std::size_t kFileDateSize = 9;

// Writes `n` in decimal at `out` with a leading "0" when it is 9 or less, so 0 to 99 always
// take two characters; returns the position after the digits. Writes no terminator.
char* TwoDigits(unsigned n, char* out);

// The local date of `fileTime` (100-nanosecond intervals since 1 January 1601, UTC) into
// `out` of `size` bytes, converted with the system's current time zone bias. The empty text
// when the time cannot be converted or `size` is below kFileDateSize; nothing with a size of
// 0. Windows build only.
void FormatFileDate(std::uint64_t fileTime, char* out, std::size_t size);
