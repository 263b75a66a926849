// Tests of legacy code pages: the tables and the frame around the system's conversion.
#include "text/code_page.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

std::string Decode(const LegacyCodePage& page, const std::string& bytes, bool atEnd = true,
                   std::size_t* used = nullptr) {
    std::string out(3 * bytes.size() + 16, '#');
    std::size_t consumed = 0;
    out.resize(page.Decode(bytes.data(), bytes.size(), atEnd, &out[0], out.size(), &consumed));
    if (used != nullptr) {
        *used = consumed;
    }
    return out;
}

// A made-up double-byte code page: lead bytes 0x81 to 0x9F, second bytes 0x40 to 0x7E (ASCII
// among them) giving U+4E00 + (lead - 0x81) * 64 + (second - 0x40); 0xA1 to 0xDF single
// characters from U+FF61; every other byte from 0x80 has no character.
class MadeUpCodePage : public SystemCodePage {
public:
    bool IsLeadByte(unsigned char byte) const override { return byte >= 0x81 && byte <= 0x9F; }
    int ToUtf16(const char* bytes, int count, char16_t* out, int room) override {
        ++calls;
        int units = 0;
        for (int i = 0; i < count; ++i) {
            auto byte = static_cast<unsigned char>(bytes[i]);
            if (units == room) {
                return -1;
            }
            if (byte < 0x80) {
                out[units++] = byte;
            } else if (byte >= 0xA1 && byte <= 0xDF) {
                out[units++] = static_cast<char16_t>(0xFF61 + byte - 0xA1);
            } else if (IsLeadByte(byte) && i + 1 < count) {
                auto second = static_cast<unsigned char>(bytes[++i]);
                if (second < 0x40 || second > 0x7E) {
                    return -1;
                }
                out[units++] = static_cast<char16_t>(0x4E00 + (byte - 0x81) * 64 + second - 0x40);
            } else {
                return -1;
            }
        }
        return units;
    }
    int calls = 0;
};

}  // namespace

TEST(CodePage, TablesOfTheSingleBytePages) {
    const struct {
        int page;
        std::string bytes;
        std::string utf8;
    } cases[] = {
        {1252, "caf\xE9 \x80 \xBD", "caf\xC3\xA9 \xE2\x82\xAC \xC2\xBD"},
        {1252, "\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},  // undefined
        {1250, "\x8A\xB9", "\xC5\xA0\xC4\x85"},
        {1251, "\xC6\xF3\xEA", "\xD0\x96\xD1\x83\xD0\xBA"},
        {1253, "\xD9\xAA", "\xCE\xA9\xEF\xBF\xBD"},  // 0xAA has no character
        {1255, "\xE0\xC4", "\xD7\x90\xD6\xB4"},
        {1258, "\xCC", "\xCC\x80"},
        {437, "caf\xE9", "caf\xC3\xA9"},  // a page the system may lack reads as 1252 then
    };
    for (const auto& c : cases) {
        LegacyCodePage page(c.page);
        if (c.page == 437 && page.CodePage() == 437) {
            continue;  // the system has it after all
        }
        EXPECT_EQ(Decode(page, c.bytes), c.utf8) << c.page;
    }
    EXPECT_EQ(LegacyCodePage(1252).CodePage(), 1252);
    EXPECT_EQ(LegacyCodePage(-5).CodePage(), 1252);
}

TEST(CodePage, DoubleBytePagesThroughTheSystem) {
    auto system = std::make_unique<MadeUpCodePage>();
    MadeUpCodePage* calls = system.get();
    LegacyCodePage page(932, std::move(system));
    // Whole characters: one call for the run.
    EXPECT_EQ(Decode(page, "a\x81\x40\x82\x41\xA1z"), "a\xE4\xB8\x80\xE4\xB9\x81\xEF\xBD\xA1z");
    EXPECT_EQ(calls->calls, 1);
    // A lead byte without a fitting second byte is U+FFFD, and the second byte reads again:
    // the line feed stays a line feed.
    EXPECT_EQ(Decode(page, "\x81\nx\x81\x81\x40\xE0"),
              "\xEF\xBF\xBD\nx\xEF\xBF\xBD\xE4\xB8\x80\xEF\xBF\xBD");
    // A lead byte at the end of a piece waits for the next; at the end of the text it is
    // U+FFFD.
    std::size_t used = 0;
    EXPECT_EQ(Decode(page, "ab\x81", false, &used), "ab");
    EXPECT_EQ(used, 2u);
    EXPECT_EQ(Decode(page, "ab\x81", true, &used), "ab\xEF\xBF\xBD");
    EXPECT_EQ(used, 3u);
}

TEST(CodePage, DecodingStopsWhereTheRoomEnds) {
    LegacyCodePage page(1252);
    std::string bytes(100, '\xE9');
    char out[20];
    std::size_t used = 0;
    std::size_t length = page.Decode(bytes.data(), bytes.size(), true, out, sizeof out, &used);
    EXPECT_EQ(length, 2 * used);
    EXPECT_GE(length + 4, sizeof out);
    EXPECT_LE(length, sizeof out);
}
