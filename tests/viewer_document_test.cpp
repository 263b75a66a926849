// The file viewer's lines: telling text from binary, counting and indexing lines, and
// formatting text and hex lines.
#include "ui/viewer_document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/temp_dir.h"
#include "ui/hex_line.h"

namespace {

const LegacyCodePage kCodePage1252(1252);

// The encoding `bytes` are read in, told as the viewer tells it.
ViewEncoding EncodingOf(const std::string& bytes) {
    ByteOrderMark told = DetectEncoding(bytes.data(), bytes.size());
    return {told.encoding, static_cast<std::uint32_t>(told.length), &kCodePage1252};
}

std::string FormatText(const std::string& bytes, std::uint32_t start = 0,
                       std::size_t* cells = nullptr) {
    char out[kViewerLineBufferSize];
    std::size_t length = FormatTextLine(bytes.data(), static_cast<std::uint32_t>(bytes.size()),
                                        start, kViewerTabWidth, EncodingOf(bytes), out, cells);
    EXPECT_EQ(out[length], '\0');
    return std::string(out, length);
}

std::string Hex(std::uint32_t offset, const std::string& bytes) {
    char out[kHexLineLength + 1];
    std::size_t length = FormatHexLine(offset, reinterpret_cast<const unsigned char*>(bytes.data()),
                                       static_cast<int>(bytes.size()), out);
    EXPECT_EQ(length, std::string(out).size());
    return out;
}

// Every display line of a file, as the viewer shows it.
std::vector<std::string> Shown(const std::string& bytes, ViewKind kind, ViewKind* chosen) {
    TempDir dir;
    std::string path = dir.Write("file", bytes);
    ViewerDocument document;
    EXPECT_TRUE(document.Open(path.c_str(), kind));
    *chosen = document.Kind();
    std::vector<std::string> lines;
    char line[kViewerLineBufferSize];
    for (std::uint64_t i = 0; i < document.LineCount(); ++i) {
        std::size_t length = document.FormatLine(i, line);
        lines.emplace_back(line, length);
    }
    return lines;
}

using LineList = std::vector<std::string>;

}  // namespace

TEST(ViewerDetectKind, TextWhenTheFirst4KiBDecodedHoldNoControlsButTheTextOnes) {
    struct Case {
        const char* what;
        std::string bytes;
        ViewKind kind;
    };
    const Case cases[] = {
        {"empty file", "", ViewKind::kText},
        {"plain text with CR LF", "int main()\r\n{\r\n}\r\n", ViewKind::kText},
        {"tabs, form feeds, vertical tabs, escapes", "int\tmain;\f\v\x1b[0m\n", ViewKind::kText},
        {"accented letters of 1252", "caf\xe9 \x80", ViewKind::kText},
        {"UTF-8", "caf\xc3\xa9", ViewKind::kText},
        {"UTF-16 with a mark", std::string("\xff\xfeo\0k\0\t\0", 8), ViewKind::kText},
        {"UTF-16 with a mark, big-endian", std::string("\xfe\xff\0o\0k", 6), ViewKind::kText},
        {"UTF-16 without a mark", std::string("o\0k\0", 4), ViewKind::kHex},
        {"a zero byte", std::string("ab\0c", 4), ViewKind::kHex},
        {"DEL", "a\x7f", ViewKind::kHex},
        {"a control character", "a\x01", ViewKind::kHex},
        {"an undefined byte of 1252 reads as a control", "a\x81", ViewKind::kHex},
        {"a C1 control in UTF-8", "\xc2\x85", ViewKind::kHex},
        {"a zero byte at byte 4095", std::string(4095, 'a') + '\0', ViewKind::kHex},
        {"a zero byte at 4096 is not looked at", std::string(4096, 'a') + '\0', ViewKind::kText},
        {"a character cut at 4096", std::string(4095, 'a') + "\xc3\xa9", ViewKind::kText},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DetectKind(c.bytes.data(), static_cast<std::uint32_t>(c.bytes.size()),
                             EncodingOf(c.bytes)),
                  c.kind)
            << c.what;
    }
}

TEST(ViewerCountLines, TextLinesAndHexLines) {
    struct Case {
        std::string bytes;
        ViewKind kind;
        std::uint64_t lines;
    };
    const Case cases[] = {
        {"", ViewKind::kText, 1},
        {"a", ViewKind::kText, 1},
        {"a\n", ViewKind::kText, 2},
        {"a\r\nb\r\nc", ViewKind::kText, 3},
        {std::string(1000, '\n'), ViewKind::kText, 1001},
        {"", ViewKind::kHex, 0},
        {std::string(1, 'x'), ViewKind::kHex, 1},
        {std::string(32, 'x'), ViewKind::kHex, 2},
        {std::string(33, 'x'), ViewKind::kHex, 3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CountLines(c.kind, c.bytes.data(), static_cast<std::uint32_t>(c.bytes.size())),
                  c.lines)
            << c.bytes.size() << " bytes";
    }
    // UTF-16: line feeds are units, the mark is no line; a lone 0x0A byte is no line feed.
    std::string utf16 = std::string(
        "\xff\xfe"
        "a\0\n\0\0\n\n\0",
        10);
    EXPECT_EQ(CountLines(ViewKind::kText, utf16.data(), 10, EncodingOf(utf16)), 3u);
    LineIndex index;
    ASSERT_TRUE(index.Build(utf16.data(), 10, 3, EncodingOf(utf16)));
    EXPECT_EQ(index.Start(0), 2u);
    EXPECT_EQ(index.Start(1), 6u);
    EXPECT_EQ(index.Start(2), 10u);
    std::string marked =
        "\xef\xbb\xbf"
        "a\nb";
    ASSERT_TRUE(index.Build(marked.data(), 6, 2, EncodingOf(marked)));
    EXPECT_EQ(index.Start(0), 3u);
    EXPECT_EQ(index.Start(1), 5u);
}

TEST(ViewerLineIndex, StartsOfEveryLine) {
    // Lines of every length around the 16- and 64-byte blocks the scanner compares at once,
    // blocks full of empty lines, and a last line without a line feed.
    std::string text;
    std::vector<std::uint32_t> starts = {0};
    auto add = [&](std::size_t length) {
        text += std::string(length, 'x') + "\n";
        starts.push_back(static_cast<std::uint32_t>(text.size()));
    };
    for (std::size_t length = 0; length < 140; ++length) {
        add(length);
    }
    for (int i = 0; i < 300; ++i) {
        add(0);
    }
    for (int i = 0; i < 3000; ++i) {
        add(static_cast<std::size_t>(i * 37 % 97));
    }
    text += "tail";
    const std::uint32_t size = static_cast<std::uint32_t>(text.size());
    std::uint64_t count = CountLines(ViewKind::kText, text.data(), size);
    ASSERT_EQ(count, starts.size());
    LineIndex index;
    ASSERT_TRUE(index.Build(text.data(), size, count));
    ASSERT_EQ(index.Count(), count);
    for (std::uint64_t line = 0; line < count; ++line) {
        ASSERT_EQ(index.Start(line), starts[line]) << "line " << line;
    }

    // A line count that no allocation can hold fails, holding nothing, instead of wrapping.
    EXPECT_FALSE(index.Build("a\nb", 3, UINT64_MAX / 2));
    EXPECT_EQ(index.Count(), 0u);

    // A count larger than the text's lines (made for other text): the rest start at the end.
    ASSERT_TRUE(index.Build("a\nb", 3, 4));
    EXPECT_EQ(index.Start(1), 2u);
    EXPECT_EQ(index.Start(2), 3u);
    EXPECT_EQ(index.Start(3), 3u);
}

TEST(ViewerFormatTextLine, TabsCarriageReturnsAndTheWidthLimit) {
    EXPECT_EQ(FormatText("\tX\tY"), std::string(8, ' ') + "X" + std::string(7, ' ') + "Y");
    EXPECT_EQ(FormatText("abc\tZ"), "abc     Z");
    EXPECT_EQ(FormatText("line one\r\nline two"), "line one") << "stops at the line feed";
    EXPECT_EQ(FormatText("a\rb\r"), "ab") << "carriage returns are dropped wherever they are";
    EXPECT_EQ(FormatText("first\nsecond", 6), "second");
    EXPECT_EQ(FormatText(std::string(300, 'q')), std::string(255, 'q'));
    EXPECT_EQ(FormatText(std::string(250, 'q') + "\tZ"), std::string(250, 'q') + "     ")
        << "a tab's blanks stop at 255 characters too";
    EXPECT_EQ(FormatText(std::string("a\0b", 3)), std::string("a\0b", 3))
        << "other characters are copied unchanged";
    EXPECT_EQ(FormatText("x", 1), "") << "a line that starts at the end is empty";
}

TEST(ViewerFormatTextLine, DecodedAndCountedInCells) {
    const std::string wide = "\xe6\x97\xa5";  // two cells
    std::size_t cells = 0;
    EXPECT_EQ(FormatText(wide + "\tx", 0, &cells), wide + "      x") << "tabs count cells";
    EXPECT_EQ(cells, 9u);
    EXPECT_EQ(FormatText("caf\xe9\tx", 0, &cells), "caf\xc3\xa9    x") << "1252, decoded";
    EXPECT_EQ(FormatText("\xef\xbb\xbf"
                         "caf\xc3\xa9\r\nnext",
                         3),
              "caf\xc3\xa9");
    EXPECT_EQ(FormatText(std::string("\xfe\xff\0a\0\t\x65\xe5\0\n\0b", 12), 2), "a       " + wide);
    // 255 cells: a wide character that would pass the last one ends the line; a combining
    // mark after the last one still joins it.
    std::string line = std::string(254, 'q') + wide;
    EXPECT_EQ(FormatText(line, 0, &cells), std::string(254, 'q'));
    EXPECT_EQ(cells, 254u);
    line = std::string(255, 'q') +
           "e\xcc\x81"
           "z";
    EXPECT_EQ(FormatText("\xef\xbb\xbf" + line, 3, &cells), std::string(255, 'q'));
    line = std::string(254, 'q') +
           "e\xcc\x81"
           "z";
    EXPECT_EQ(FormatText("\xef\xbb\xbf" + line, 3, &cells), std::string(254, 'q') + "e\xcc\x81");
    EXPECT_EQ(cells, 255u);
    // Endless marks are cut by the buffer.
    std::string marks = "e";
    for (int i = 0; i < 3000; ++i) {
        marks += "\xcc\x81";
    }
    EXPECT_EQ(FormatText(marks).size(), 1 + 2 * ((kViewerLineBufferSize - 2) / 2));
}

TEST(ViewerFormatHexLine, OffsetPairsAndCharacters) {
    EXPECT_EQ(Hex(16, "ABC"), "00000010  41 42 43" + std::string(58 - 18, ' ') + "ABC");
    std::string full;
    for (int i = 0; i < 16; ++i) {
        full += static_cast<char>(i == 0 ? 0x1F : (i == 1 ? 0x7F : (i == 2 ? 0xFF : 0x20 + i)));
    }
    std::string line = Hex(0xFFFFFFF0u, full);
    EXPECT_EQ(line.size(), static_cast<std::size_t>(kHexLineLength));
    EXPECT_EQ(line.substr(0, 10), "FFFFFFF0  ");
    EXPECT_EQ(line.substr(10, 9), "1F 7F FF ");
    EXPECT_EQ(line.substr(55, 3), "2F ");
    EXPECT_EQ(line.substr(58, 4), "...#") << "0x1F, 0x7F and 0xFF show as dots";
    EXPECT_EQ(Hex(0, ""), std::string(58, ' ')) << "no bytes: blanks and no offset";
    EXPECT_EQ(Hex(0, std::string(20, 'z')).size(), static_cast<std::size_t>(kHexLineLength))
        << "more than 16 bytes are not written";
}

TEST(ViewerDocument, ShowsFilesOfEachKind) {
    ViewKind chosen = ViewKind::kChoose;
    EXPECT_EQ(Shown("", ViewKind::kChoose, &chosen), LineList{""});
    EXPECT_EQ(chosen, ViewKind::kText) << "an empty file is one empty text line";

    const std::string head(50, '=');
    EXPECT_EQ(Shown(head + "\r\n\ttwo\nthree", ViewKind::kChoose, &chosen),
              (LineList{head, std::string(8, ' ') + "two", "three"}));
    EXPECT_EQ(chosen, ViewKind::kText) << "a tab after the first 50 bytes";

    std::string binary(33, '\x01');
    LineList hex = Shown(binary, ViewKind::kChoose, &chosen);
    EXPECT_EQ(chosen, ViewKind::kHex);
    ASSERT_EQ(hex.size(), 3u);
    EXPECT_EQ(hex[1].substr(0, 8), "00000010");
    EXPECT_EQ(hex[2], "00000020  01" + std::string(58 - 12, ' ') + ".")
        << "the last line holds the one remaining byte";

    EXPECT_EQ(Shown(std::string(32, 'a'), ViewKind::kHex, &chosen).size(), 2u)
        << "hex asked for: two full lines";
    EXPECT_EQ(Shown("", ViewKind::kHex, &chosen).size(), 0u) << "an empty file has no hex lines";
    EXPECT_EQ(Shown("a\tb", ViewKind::kText, &chosen), LineList{"a       b"})
        << "text asked for: no detection";
}

TEST(ViewerDocument, AFileThatCannotBeReadOpensNothing) {
    TempDir dir;
    ViewerDocument document;
    EXPECT_FALSE(document.Open(dir.File("missing").c_str(), ViewKind::kChoose));
    EXPECT_FALSE(document.Open(dir.Path().c_str(), ViewKind::kChoose)) << "a directory";
    EXPECT_EQ(document.LineCount(), 0u);
    char line[kViewerLineBufferSize];
    EXPECT_EQ(document.FormatLine(0, line), 0u);
    EXPECT_STREQ(line, "");
}
