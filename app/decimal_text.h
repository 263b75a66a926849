// Numbers as decimal texts, the same on every C runtime: margins in the registry, the setup
// dialog and the summary.
#pragma once

#include <cstddef>

// Enough for the text of every float, whatever its size, and its terminator.
inline constexpr std::size_t kFloatDecimalTextSize = 48;

// Writes `value` with one decimal into `buffer` (of `size` bytes) and returns `buffer`.
// The value is first taken to 17 significant digits of its exact decimal expansion, then cut
// after the first decimal; a cut-off digit of 5 or more rounds up (both steps). The sign is
// dropped. At least two characters stand before the point, padded with spaces (" 0.5",
// "10.0"); a value that is not zero but rounds to zero gives "." followed by one zero for
// each place between the point and its first significant digit (0.04 gives ".0", 0.004
// ".00"). Infinities and NaN give the empty text.
// Never writes past `size` bytes: a text that does not fit is cut to size - 1 characters,
// always terminated; with a size of 0 nothing is written.
char* FormatOneDecimal(char* buffer, std::size_t size, double value);

// Reads the decimal number at the start of `text` after any white space, as the C library's
// strtod does in the "C" locale, but identically on every runtime: an optional sign, digits
// with an optional point, an optional exponent; "inf" and "nan" are read too. Hexadecimal
// is not: "0x10" reads as 0. Returns false, and leaves `*value` alone, when the text starts
// with no number or the number lies outside the range of a double.
bool ParseDecimal(const char* text, double* value);

// Like ParseDecimal, but a number beyond the range of a double is read too: one too large as
// an infinity of its sign, one too small as a zero of its sign. `*end` receives the first
// character after the number, or `text` when there is none (the result is then false and
// `*value` is left alone). "0x10" reads as 0 with `*end` at the "x".
bool ReadDecimal(const char* text, double* value, const char** end);
