// UTF-8: reading and writing one character, checking a text piece by piece, finding the first
// byte that is not ASCII.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr char32_t kReplacementChar = 0xFFFD;
// The most bytes one character takes in UTF-8.
inline constexpr std::size_t kMaxUtf8Bytes = 4;

// The valid character of four bytes at bytes[0, length): its length (4), or 0.
std::size_t DecodeUtf8Four(const unsigned char* bytes, std::size_t length, char32_t* code);

// The valid character of more than one byte at bytes[0, length) (bytes[0] from 0x80) into
// `*code`: its length, or 0 when the bytes start no valid character (a stray continuation
// byte, an overlong form, a surrogate, a value past U+10FFFF, a sequence cut short). Two and
// three bytes, the most of any text, are read inline.
inline std::size_t DecodeUtf8Valid(const unsigned char* bytes, std::size_t length, char32_t* code) {
    unsigned lead = bytes[0];
    if (lead >= 0xC2 && lead <= 0xDF) {
        if (length >= 2 && (bytes[1] & 0xC0) == 0x80) {
            *code = static_cast<char32_t>((lead & 0x1F) << 6 | (bytes[1] & 0x3F));
            return 2;
        }
        return 0;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (length >= 3 && (bytes[1] & 0xC0) == 0x80 && (bytes[2] & 0xC0) == 0x80) {
            auto value = static_cast<char32_t>((lead & 0x0F) << 12 | (bytes[1] & 0x3F) << 6 |
                                               (bytes[2] & 0x3F));
            if (value >= 0x800 && (value < 0xD800 || value > 0xDFFF)) {
                *code = value;
                return 3;
            }
        }
        return 0;
    }
    return DecodeUtf8Four(bytes, length, code);
}

// Reads the character at the start of text[0, length), which must not be empty, into `*code`
// and returns its byte count. A byte that does not start a valid sequence reads as U+FFFD of
// that one byte.
inline std::size_t DecodeUtf8(const char* text, std::size_t length, char32_t* code) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    if (bytes[0] < 0x80) {
        *code = bytes[0];
        return 1;
    }
    std::size_t size = DecodeUtf8Valid(bytes, length, code);
    if (size == 0) {
        *code = kReplacementChar;
        return 1;
    }
    return size;
}

// Writes `code` (a Unicode scalar value; anything else writes U+FFFD) to `out`, which has room
// for kMaxUtf8Bytes, and returns the byte count.
std::size_t EncodeUtf8(char32_t code, char* out);

// The offset of the first byte of `bytes` from 0x80 up, or `length` when there is none. Many
// bytes are tested at a time.
std::size_t FindNonAscii(const char* bytes, std::size_t length);

// The length of the longest start of text[0, length) that is valid UTF-8 made of whole
// characters. `*cut`, when given, tells whether what follows it is the valid start of a
// character that the text ends too early to hold (then more text may complete it), rather
// than an invalid byte or nothing.
std::size_t ValidUtf8Length(const char* text, std::size_t length, bool* cut = nullptr);

// Whether ValidUtf8Length and FindNonAscii test blocks in halves of 32 bytes where the
// processor has them (so they do at first); for tests of both ways. Returns whether they did.
bool UseWideUtf8Blocks(bool use);

// Checks a text given in pieces cut anywhere: valid while every piece continues valid UTF-8.
class Utf8Validator {
public:
    // Feeds the next piece; false from the first invalid byte on.
    bool Feed(const char* bytes, std::size_t length);
    // True when everything fed is valid and no character is left unfinished.
    bool Finish() const { return valid_ && pendingLength_ == 0; }
    bool Valid() const { return valid_; }

private:
    bool valid_ = true;
    char pending_[kMaxUtf8Bytes] = {};  // the start of a character cut at a piece's end
    std::size_t pendingLength_ = 0;
};
