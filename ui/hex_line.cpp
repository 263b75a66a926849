// FormatHexLine: offset, byte pairs and characters of one hex line.
#include "ui/hex_line.h"

#include <cstring>

namespace {
constexpr char kDigits[] = "0123456789ABCDEF";
}

std::size_t FormatHexLine(std::uint32_t offset, const unsigned char* bytes, int count, char* out) {
    if (count < 0) {
        count = 0;
    }
    if (count > kHexBytesPerLine) {
        count = kHexBytesPerLine;
    }
    std::memset(out, ' ', kHexCharColumn);
    if (count > 0) {
        for (int digit = 0; digit < 8; ++digit) {
            out[digit] = kDigits[(offset >> (28 - 4 * digit)) & 0xF];
        }
    }
    for (int i = 0; i < count; ++i) {
        out[10 + 3 * i] = kDigits[bytes[i] >> 4];
        out[11 + 3 * i] = kDigits[bytes[i] & 0xF];
        out[kHexCharColumn + i] =
            (bytes[i] >= 0x20 && bytes[i] <= 0x7E) ? static_cast<char>(bytes[i]) : '.';
    }
    std::size_t length = static_cast<std::size_t>(kHexCharColumn + count);
    out[length] = '\0';
    return length;
}
