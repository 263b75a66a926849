// The encoding of a text file and its decoding to UTF-8.
#include "text/text_encoding.h"

#include <cstring>

#include "text/code_page.h"

ByteOrderMark ReadByteOrderMark(const char* bytes, std::size_t length) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    ByteOrderMark mark;
    if (length >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
        mark = {TextEncoding::kUtf8, 3};
    } else if (length >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
        mark = {TextEncoding::kUtf16LE, 2};
    } else if (length >= 2 && b[0] == 0xFE && b[1] == 0xFF) {
        mark = {TextEncoding::kUtf16BE, 2};
    }
    return mark;
}

ByteOrderMark DetectEncoding(const char* bytes, std::size_t length) {
    ByteOrderMark mark = ReadByteOrderMark(bytes, length);
    if (mark.length > 0) {
        return mark;
    }
    // Up to the first byte from 0x80 the text reads the same in every encoding; from there
    // it is UTF-8 only when all of it is.
    std::size_t first = FindNonAscii(bytes, length);
    if (first < length && ValidUtf8Length(bytes + first, length - first) == length - first) {
        mark.encoding = TextEncoding::kUtf8;
    }
    return mark;
}

std::size_t TextDecoder::Decode(const char* bytes, std::size_t length, bool atEnd, char* out,
                                std::size_t room, std::size_t* consumed) const {
    switch (encoding_) {
        case TextEncoding::kUtf8:
            return DecodeUtf8Text(bytes, length, atEnd, out, room, consumed);
        case TextEncoding::kUtf16LE:
        case TextEncoding::kUtf16BE:
            return DecodeUtf16(bytes, length, atEnd, out, room, consumed);
        case TextEncoding::kLegacy:
            break;
    }
    if (room < kMaxDecodeStep) {
        *consumed = 0;
        return 0;
    }
    return legacy_->Decode(bytes, length, atEnd, out, room, consumed);
}

std::size_t TextDecoder::DecodeUtf8Text(const char* bytes, std::size_t length, bool atEnd,
                                        char* out, std::size_t room, std::size_t* consumed) const {
    std::size_t at = 0;
    std::size_t produced = 0;
    while (at < length && room - produced >= kMaxDecodeStep) {
        // The valid text is copied as it is, as much as the room takes.
        std::size_t span = length - at;
        if (span > room - produced) {
            span = room - produced;
        }
        std::size_t valid = ValidUtf8Length(bytes + at, span);
        std::memcpy(out + produced, bytes + at, valid);
        produced += valid;
        at += valid;
        if (at == length || room - produced < kMaxDecodeStep) {
            break;
        }
        std::size_t near = length - at < kMaxUtf8Bytes ? length - at : kMaxUtf8Bytes;
        bool cut = false;
        if (ValidUtf8Length(bytes + at, near, &cut) > 0) {
            continue;  // a whole character that the span cut off
        }
        if (cut && !atEnd) {
            break;  // the rest of the character comes with the next input
        }
        produced += EncodeUtf8(kReplacementChar, out + produced);
        ++at;
    }
    *consumed = at;
    return produced;
}

std::size_t TextDecoder::DecodeUtf16(const char* bytes, std::size_t length, bool atEnd, char* out,
                                     std::size_t room, std::size_t* consumed) const {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    const bool little = encoding_ == TextEncoding::kUtf16LE;
    auto unitAt = [&](std::size_t at) -> char32_t {
        return little ? static_cast<char32_t>(b[at] | b[at + 1] << 8)
                      : static_cast<char32_t>(b[at] << 8 | b[at + 1]);
    };
    std::size_t at = 0;
    std::size_t produced = 0;
    while (room - produced >= kMaxDecodeStep) {
        if (length - at < 2) {
            if (at < length && atEnd) {
                produced += EncodeUtf8(kReplacementChar, out + produced);  // a lone last byte
                ++at;
            }
            break;
        }
        char32_t unit = unitAt(at);
        if (unit < 0x80) {
            out[produced++] = static_cast<char>(unit);
            at += 2;
            continue;
        }
        if (unit < 0xD800 || unit > 0xDFFF) {
            produced += EncodeUtf8(unit, out + produced);
            at += 2;
            continue;
        }
        if (unit <= 0xDBFF) {
            if (length - at < 4 && !atEnd) {
                break;  // its partner may come with the next input
            }
            if (length - at >= 4) {
                char32_t next = unitAt(at + 2);
                if (next >= 0xDC00 && next <= 0xDFFF) {
                    produced += EncodeUtf8(0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00),
                                           out + produced);
                    at += 4;
                    continue;
                }
            }
        }
        produced += EncodeUtf8(kReplacementChar, out + produced);  // an unpaired surrogate
        at += 2;
    }
    *consumed = at;
    return produced;
}
