// The encoding of a text file, and its bytes decoded to UTF-8 piece by piece.
//
// The rule, the same for printing and for the viewer: a byte-order mark decides (EF BB BF
// UTF-8, FF FE UTF-16LE, FE FF UTF-16BE; the mark itself is no character of the text).
// Without one, the text is UTF-8 when the whole file is valid UTF-8 and holds at least one
// character of more than one byte, else 8-bit text in the legacy code page. Decoding never
// drops a byte nor moves the text after it: each invalid UTF-8 byte, each unpaired UTF-16
// surrogate and a lone last byte of UTF-16 becomes one U+FFFD.
#pragma once

#include <cstddef>

#include "text/utf8.h"

class LegacyCodePage;

enum class TextEncoding { kUtf8, kUtf16LE, kUtf16BE, kLegacy };

// The byte-order mark at the start of bytes[0, length): its encoding and length; a length of
// 0 (and kLegacy) when there is none.
struct ByteOrderMark {
    TextEncoding encoding = TextEncoding::kLegacy;
    std::size_t length = 0;
};
ByteOrderMark ReadByteOrderMark(const char* bytes, std::size_t length);

// The encoding of a whole text held in memory, and the length of its mark.
ByteOrderMark DetectEncoding(const char* bytes, std::size_t length);

// The room TextDecoder::Decode needs to go on at all: the most UTF-8 bytes it writes for one
// step (two characters of a double-byte code page read one at a time).
inline constexpr std::size_t kMaxDecodeStep = 12;

// Decodes text of one encoding (its mark already left out) to UTF-8.
class TextDecoder {
public:
    // `legacy` serves kLegacy and must outlive the decoder.
    TextDecoder(TextEncoding encoding, const LegacyCodePage* legacy)
        : encoding_(encoding), legacy_(legacy) {}

    TextEncoding Encoding() const { return encoding_; }

    // Decodes whole characters of bytes[0, length) into `out` (room for `room` bytes) while the
    // room holds kMaxDecodeStep more bytes, and returns the bytes written; `*consumed`
    // receives the bytes of the input used. Unless `atEnd`, a character cut at the end of the
    // input is left for the next call; with `atEnd` everything is used.
    std::size_t Decode(const char* bytes, std::size_t length, bool atEnd, char* out,
                       std::size_t room, std::size_t* consumed) const;

private:
    std::size_t DecodeUtf8Text(const char* bytes, std::size_t length, bool atEnd, char* out,
                               std::size_t room, std::size_t* consumed) const;
    std::size_t DecodeUtf16(const char* bytes, std::size_t length, bool atEnd, char* out,
                            std::size_t room, std::size_t* consumed) const;

    TextEncoding encoding_;
    const LegacyCodePage* legacy_;
};
