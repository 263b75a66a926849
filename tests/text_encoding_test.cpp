// Tests of the encoding rule and the decoder.
#include "text/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

#include "text/code_page.h"

namespace {

// Decodes `bytes` in pieces of `piece` bytes, as a reader with a small buffer would.
std::string DecodeInPieces(TextEncoding encoding, const std::string& bytes, std::size_t piece) {
    LegacyCodePage legacy(1252);
    TextDecoder decoder(encoding, &legacy);
    std::string out;
    std::string pending;
    for (std::size_t at = 0; at <= bytes.size(); at += piece) {
        pending += bytes.substr(at, piece);
        bool atEnd = at + piece >= bytes.size();
        char room[64];
        std::size_t used = 0;
        out.append(room,
                   decoder.Decode(pending.data(), pending.size(), atEnd, room, sizeof room, &used));
        pending.erase(0, used);
        if (atEnd) {
            EXPECT_TRUE(pending.empty());
            break;
        }
    }
    return out;
}

}  // namespace

TEST(TextEncoding, MarksAndTheWholeFileRule) {
    const struct {
        std::string bytes;
        TextEncoding encoding;
        std::size_t mark;
    } cases[] = {
        {"\xEF\xBB\xBFplain", TextEncoding::kUtf8, 3},
        {"\xEF\xBB\xBF\xE9", TextEncoding::kUtf8, 3},  // the mark decides, invalid or not
        {"\xFF\xFE", TextEncoding::kUtf16LE, 2},
        {"\xFE\xFF\x00"
         "a",
         TextEncoding::kUtf16BE, 2},
        {"\xEF\xBB", TextEncoding::kLegacy, 0},
        {"plain ASCII", TextEncoding::kLegacy, 0},
        {"caf\xC3\xA9", TextEncoding::kUtf8, 0},
        {"caf\xE9", TextEncoding::kLegacy, 0},
        {"caf\xC3\xA9 and later \xE9", TextEncoding::kLegacy, 0},  // invalid further on
        {"caf\xC3\xA9 \xE2\x82", TextEncoding::kLegacy, 0},        // cut at the end
        {"\xC0\xAF", TextEncoding::kLegacy, 0},                    // overlong
        {"\xED\xA0\x80", TextEncoding::kLegacy, 0},                // a surrogate
    };
    for (const auto& c : cases) {
        ByteOrderMark told = DetectEncoding(c.bytes.data(), c.bytes.size());
        EXPECT_EQ(told.encoding, c.encoding) << c.bytes;
        EXPECT_EQ(told.length, c.mark) << c.bytes;
    }
}

TEST(TextEncoding, InvalidBytesAndUnpairedSurrogatesAreOneReplacementEach) {
    const struct {
        TextEncoding encoding;
        std::string bytes;
        std::string utf8;
    } cases[] = {
        {TextEncoding::kUtf8,
         "a\xE9"
         "b\xE2\x82"
         "c\xF0\x9F\x98\x80",
         "a\xEF\xBF\xBD"
         "b"
         "\xEF\xBF\xBD\xEF\xBF\xBD"
         "c\xF0\x9F\x98\x80"},
        {TextEncoding::kUtf8, "end \xE2\x82", "end \xEF\xBF\xBD\xEF\xBF\xBD"},
        {TextEncoding::kUtf16LE, std::string("c\0\xE9\0\x3D\xD8\0\xDE\n\0", 10),
         "c\xC3\xA9\xF0\x9F\x98\x80\n"},
        {TextEncoding::kUtf16BE, std::string("\0c\0\xE9\xD8\x3D\xDE\0\0\n", 10),
         "c\xC3\xA9\xF0\x9F\x98\x80\n"},
        // A lone high surrogate, a lone low one, and an odd last byte.
        {TextEncoding::kUtf16LE, std::string("\x3D\xD8x\0\0\xDCy", 7),
         "\xEF\xBF\xBDx\xEF\xBF\xBD\xEF\xBF\xBD"},
        {TextEncoding::kUtf16BE, std::string("\xD8\x3D", 2), "\xEF\xBF\xBD"},
        {TextEncoding::kLegacy, "\xE9\x80", "\xC3\xA9\xE2\x82\xAC"},
    };
    for (const auto& c : cases) {
        for (std::size_t piece : {1, 2, 3, 5, 1000}) {
            EXPECT_EQ(DecodeInPieces(c.encoding, c.bytes, piece), c.utf8)
                << static_cast<int>(c.encoding) << " pieces of " << piece;
        }
    }
}
