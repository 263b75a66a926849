// Tests of UTF-8: reading a character, the checks, and the checker fed in pieces.
#include "text/utf8.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

TEST(Utf8, ValidAndInvalidSequences) {
    const struct {
        std::string bytes;
        std::size_t length;  // bytes taken by the first character
        char32_t code;
    } cases[] = {
        {"A", 1, 'A'},
        {"\xC3\xA9", 2, 0xE9},
        {"\xE2\x82\xAC", 3, 0x20AC},
        {"\xF0\x9F\x98\x80", 4, 0x1F600},
        {"\xF4\x8F\xBF\xBF", 4, 0x10FFFF},
        {"\xEF\xBF\xBD", 3, 0xFFFD},
        // Overlong forms, surrogates, past U+10FFFF, stray and lone bytes: one byte each.
        {"\xC0\x80", 1, kReplacementChar},
        {"\xC1\xBF", 1, kReplacementChar},
        {"\xE0\x80\x80", 1, kReplacementChar},
        {"\xE0\x9F\xBF", 1, kReplacementChar},
        {"\xF0\x80\x80\x80", 1, kReplacementChar},
        {"\xED\xA0\x80", 1, kReplacementChar},
        {"\xED\xBF\xBF", 1, kReplacementChar},
        {"\xF4\x90\x80\x80", 1, kReplacementChar},
        {"\xF5\x80\x80\x80", 1, kReplacementChar},
        {"\xFF", 1, kReplacementChar},
        {"\x80", 1, kReplacementChar},
        // Cut short, by the end or by a byte that does not continue it.
        {"\xE2\x82", 1, kReplacementChar},
        {"\xE2\x82"
         "A",
         1, kReplacementChar},
        {"\xF0\x9F\x98", 1, kReplacementChar},
    };
    for (const auto& c : cases) {
        char32_t code = 0;
        EXPECT_EQ(DecodeUtf8(c.bytes.data(), c.bytes.size(), &code), c.length) << c.bytes;
        EXPECT_EQ(code, c.code) << c.bytes;
        bool valid = c.code != kReplacementChar || c.length == 3;
        EXPECT_EQ(ValidUtf8Length(c.bytes.data(), c.bytes.size()) == c.bytes.size(), valid)
            << c.bytes;
        if (valid) {
            char out[kMaxUtf8Bytes];
            EXPECT_EQ(std::string(out, EncodeUtf8(code, out)), c.bytes.substr(0, c.length));
        }
    }
    char out[kMaxUtf8Bytes];
    EXPECT_EQ(std::string(out, EncodeUtf8(0xD800, out)), "\xEF\xBF\xBD") << "no surrogates";
    EXPECT_EQ(std::string(out, EncodeUtf8(0x110000, out)), "\xEF\xBF\xBD");
}

TEST(Utf8, ValidLengthTellsACutCharacterFromAnInvalidByte) {
    bool cut = false;
    EXPECT_EQ(ValidUtf8Length("ab\xE2\x82", 4, &cut), 2u);
    EXPECT_TRUE(cut) << "the end may complete it";
    EXPECT_EQ(ValidUtf8Length("ab\xE2\x41", 4, &cut), 2u);
    EXPECT_FALSE(cut);
    EXPECT_EQ(ValidUtf8Length("ab\xED\xA0", 4, &cut), 2u);
    EXPECT_FALSE(cut) << "a surrogate is known invalid from its second byte";
    // A byte from 0x80 at any place of a long text, found by the blocks of either width.
    std::string long_text(600, 'x');
    for (bool wide : {true, false}) {
        bool was = UseWideUtf8Blocks(wide);
        EXPECT_EQ(FindNonAscii(long_text.data(), long_text.size()), 600u);
        for (std::size_t at = 0; at < long_text.size(); ++at) {
            long_text[at] = '\xC3';
            ASSERT_EQ(FindNonAscii(long_text.data(), long_text.size()), at) << wide;
            long_text[at] = 'x';
        }
        UseWideUtf8Blocks(was);
    }
}

TEST(Utf8, TheCheckerAgreesWhereverThePiecesAreCut) {
    const std::string texts[] = {"caf\xC3\xA9 \xE2\x80\x94 5 \xE2\x82\xAC \xF0\x9F\x98\x80",
                                 "ok \xE2\x82", "\xC3", "\xE2\x28\xA1", ""};
    for (const std::string& text : texts) {
        bool whole = ValidUtf8Length(text.data(), text.size()) == text.size();
        for (std::size_t a = 0; a <= text.size(); ++a) {
            for (std::size_t b = a; b <= text.size(); ++b) {
                Utf8Validator checker;
                checker.Feed(text.data(), a);
                checker.Feed(text.data() + a, b - a);
                checker.Feed(text.data() + b, text.size() - b);
                EXPECT_EQ(checker.Finish(), whole) << text << " cut at " << a << ", " << b;
            }
        }
    }
}

namespace {

// The valid start of text[0, length), character by character.
std::size_t ValidLengthOneByOne(const char* text, std::size_t length) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    std::size_t at = 0;
    while (at < length) {
        if (bytes[at] < 0x80) {
            ++at;
            continue;
        }
        char32_t code = 0;
        std::size_t size = DecodeUtf8Valid(bytes + at, length - at, &code);
        if (size == 0) {
            break;
        }
        at += size;
    }
    return at;
}

// Texts of ASCII and characters of two and three bytes, the first bytes with narrower second
// bytes, four bytes, and every kind of fault, cut anywhere against the blocks of 16 and of 64
// bytes, and long enough for several of them.
void ExpectBlocksCheckedAsOneByOne() {
    const char* const pieces[] = {"a",
                                  "text ",
                                  "\xC3\xA9",
                                  "\xD0\x96",
                                  "\xE2\x82\xAC",
                                  "\xE6\x97\xA5",
                                  "\xE0\xA4\x85",
                                  "\xED\x9F\xBF",
                                  "\xF0\x9F\x98\x80",
                                  "\xC2\x80",
                                  "\xDF\xBF",
                                  "\xEF\xBF\xBD",
                                  "\x80",
                                  "\xBF",
                                  "\xC3",
                                  "\xE2\x82",
                                  "\xC0\x80",
                                  "\xE0\x80\x80",
                                  "\xED\xA0\x80",
                                  "\xF5\x80",
                                  "\xFF",
                                  "\xC3\xC3",
                                  "\xE2\x41\x41"};
    constexpr std::size_t kPieces = sizeof pieces / sizeof pieces[0];
    std::uint32_t state = 12345;
    auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        // Mostly valid texts, so that the faults come at every place of a block.
        const std::uint32_t faults = round % 4 == 0 ? kPieces : 12;
        while (text.size() < static_cast<std::size_t>(40 + round % 160)) {
            std::uint32_t pick = next() % 8 < 5 ? next() % 2 : next() % faults;
            text += pieces[pick];
        }
        for (std::size_t start = 0; start < 65 && start < text.size(); ++start) {
            const char* at = text.data() + start;
            const std::size_t length = text.size() - start;
            ASSERT_EQ(ValidUtf8Length(at, length), ValidLengthOneByOne(at, length))
                << "round " << round << " from " << start;
        }
    }
}

}  // namespace

TEST(Utf8, ValidLengthOfBlocksCheckedAtOnceIsTheOneByOneLength) {
    for (bool wide : {true, false}) {
        SCOPED_TRACE(wide ? "halves of 32 bytes" : "blocks of 16 bytes");
        bool was = UseWideUtf8Blocks(wide);
        ExpectBlocksCheckedAsOneByOne();
        UseWideUtf8Blocks(was);
    }
}

TEST(Utf8, AFaultAtEveryPlaceOfABlockEndsTheValidLength) {
    // A valid text of letters of two and three bytes, with each kind of fault or of a
    // character left to the one-by-one check put at every place of two blocks of 64 bytes.
    std::string letters;
    while (letters.size() < 140) {
        letters +=
            "ab \xC3\xA9\xD0\x96"
            "c\xE2\x82\xAC"
            "de\xE6\x97\xA5\xEF\xBC\xA1";
    }
    const char* const others[] = {
        "\x80",         "\xBF",         "\xC0\x80",         "\xC1\xBF",         "\xC3",
        "\xC3\xC3",     "\xE2\x82",     "\xE2\x41\x41",     "\xE0\x80\x80",     "\xE0\xA4\x85",
        "\xED\xA0\x80", "\xED\x9F\xBF", "\xF0\x9F\x98\x80", "\xF4\x90\x80\x80", "\xF5\x80",
        "\xFF"};
    for (bool wide : {true, false}) {
        bool was = UseWideUtf8Blocks(wide);
        for (const char* other : others) {
            for (std::size_t at = 0; at <= 130; ++at) {
                std::string text = letters.substr(0, at) + other + letters.substr(at);
                ASSERT_EQ(ValidUtf8Length(text.data(), text.size()),
                          ValidLengthOneByOne(text.data(), text.size()))
                    << (wide ? "wide " : "") << "at " << at;
            }
        }
        UseWideUtf8Blocks(was);
    }
}
