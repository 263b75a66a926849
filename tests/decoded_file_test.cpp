// Tests of DecodedFile: the encoding told from the whole file, and pieces cut anywhere.
#include "text/decoded_file.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/temp_dir.h"

namespace {

struct Read {
    std::string text;
    bool decided;
    TextEncoding encoding;
};

// The whole text of `bytes`, read in pieces of `room` bytes, twice (the second time after a
// rewind, which must give the same).
Read ReadAll(const std::string& bytes, std::size_t room, int codePage = 1252) {
    TempDir dir;
    std::string path = dir.Write("t.txt", bytes);
    DecodedFile file;
    file.SetCodePage(codePage);
    std::uint64_t size = 0;
    EXPECT_TRUE(file.Open(path.c_str(), &size));
    EXPECT_EQ(size, bytes.size());
    Read result;
    for (int pass = 0; pass < 2; ++pass) {
        std::string text;
        std::string piece(room, '#');
        for (std::size_t got; (got = file.Read(&piece[0], room)) > 0;) {
            EXPECT_LE(got, room);
            EXPECT_EQ(ValidUtf8Length(piece.data(), got), got) << "whole characters";
            text.append(piece, 0, got);
        }
        EXPECT_TRUE(file.AtEnd());
        if (pass == 0) {
            result.text = text;
            EXPECT_TRUE(file.Rewind());
        } else {
            EXPECT_EQ(text, result.text) << "after the rewind";
        }
    }
    result.decided = file.Decided();
    result.encoding = file.Encoding();
    return result;
}

}  // namespace

TEST(DecodedFile, TheWholeFileDecidesAlsoWhenItsFirstBytesLookLikeUtf8) {
    // Valid UTF-8 early, a 1252 byte far later: all of it is 1252.
    std::string bytes = "caf\xC3\xA9\n" + std::string(5000, 'x') + "\n\xE9t\xE9\n";
    for (std::size_t room : {DecodedFile::kMinRoom, std::size_t{64}, std::size_t{1} << 20}) {
        Read read = ReadAll(bytes, room);
        EXPECT_TRUE(read.decided);
        EXPECT_EQ(read.encoding, TextEncoding::kLegacy);
        EXPECT_EQ(read.text,
                  "caf\xC3\x83\xC2\xA9\n" + std::string(5000, 'x') + "\n\xC3\xA9t\xC3\xA9\n")
            << room;
    }
    // The same text valid to its end is UTF-8, handed on as it is.
    std::string utf8 = "caf\xC3\xA9\n" + std::string(5000, 'x') + "\n\xC3\xA9t\xC3\xA9\n";
    Read read = ReadAll(utf8, 64);
    EXPECT_EQ(read.encoding, TextEncoding::kUtf8);
    EXPECT_EQ(read.text, utf8);
}

TEST(DecodedFile, CharactersCutAtEveryPieceBoundaryComeWhole) {
    std::string utf8;
    for (int i = 0; i < 30; ++i) {
        utf8 += "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
    }
    std::string utf16le = "\xFF\xFE";
    for (int i = 0; i < 30; ++i) {
        utf16le += std::string("a\0\xE9\0\x3D\xD8\0\xDE", 8);
    }
    for (std::size_t room = DecodedFile::kMinRoom; room < 24; ++room) {
        EXPECT_EQ(ReadAll(utf8, room).text, utf8) << room;
        std::string expected;
        for (int i = 0; i < 30; ++i) {
            expected += "a\xC3\xA9\xF0\x9F\x98\x80";
        }
        EXPECT_EQ(ReadAll(utf16le, room).text, expected) << room;
    }
}

TEST(DecodedFile, MarksAndTheirEncodings) {
    const struct {
        std::string bytes;
        std::string text;
        bool decided;
        TextEncoding encoding;
    } cases[] = {
        {"\xEF\xBB\xBF"
         "caf\xC3\xA9",
         "caf\xC3\xA9", true, TextEncoding::kUtf8},
        {"\xEF\xBB\xBF"
         "bad \xE9!",
         "bad \xEF\xBF\xBD!", true, TextEncoding::kUtf8},
        {"\xEF\xBB\xBF", "", true, TextEncoding::kUtf8},
        {std::string("\xFF\xFEo\0k\0!", 7), "ok\xEF\xBF\xBD", true, TextEncoding::kUtf16LE},
        {std::string("\xFE\xFF\0o\0k", 6), "ok", true, TextEncoding::kUtf16BE},
        {"plain", "plain", false, TextEncoding::kLegacy},
        {"", "", false, TextEncoding::kLegacy},
        {"\xEF\xBB", "\xC3\xAF\xC2\xBB", true, TextEncoding::kLegacy},
        {"\xE2\x82", "\xC3\xA2\xE2\x80\x9A", true, TextEncoding::kLegacy},  // cut at the end
    };
    for (const auto& c : cases) {
        for (std::size_t room : {DecodedFile::kMinRoom, std::size_t{1000}}) {
            Read read = ReadAll(c.bytes, room);
            EXPECT_EQ(read.text, c.text) << c.bytes;
            EXPECT_EQ(read.decided, c.decided) << c.bytes;
            EXPECT_EQ(read.encoding, c.encoding) << c.bytes;
        }
    }
}

TEST(DecodedFile, TheLegacyCodePageIsTheOneSet) {
    EXPECT_EQ(ReadAll("\xC6\xF3\xEA", DecodedFile::kMinRoom, 1251).text,
              "\xD0\x96\xD1\x83\xD0\xBA");
    EXPECT_EQ(ReadAll("\xC6\xF3\xEA", DecodedFile::kMinRoom, 1252).text,
              "\xC3\x86\xC3\xB3\xC3\xAA");
}
