// Tests of TextBuffer: loading whole files and cutting them into lines.
#include "text/text_buffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/temp_dir.h"
#include "text/char_cells.h"
#include "text/utf8.h"

namespace {

constexpr int kCapacity = 255;

// Reads every line of `bytes` as the print job does, with a 255-character buffer.
std::vector<std::string> Lines(const std::string& bytes, TextBuffer& buffer) {
    TempDir dir;
    std::string path = dir.Write("text.txt", bytes);
    EXPECT_TRUE(buffer.Open(path.c_str(), kCapacity));
    std::vector<std::string> lines;
    char line[kCapacity];
    while (!buffer.AtEnd()) {
        buffer.ReadLine(line, sizeof line);
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> Lines(const std::string& bytes) {
    TextBuffer buffer;
    return Lines(bytes, buffer);
}

using LineList = std::vector<std::string>;

}  // namespace

TEST(TextBufferLoad, HoldsTheWholeFileFollowedByZeroBytes) {
    TempDir dir;
    std::string path = dir.Write("a.txt", std::string("ab\0cd", 5));
    TextBuffer buffer;
    ASSERT_TRUE(buffer.Load(path.c_str(), 2));
    EXPECT_EQ(buffer.BytesRead(), 5u);
    EXPECT_EQ(std::string(buffer.Text(), 7), std::string("ab\0cd\0\0", 7));
    EXPECT_FALSE(buffer.AtEnd());
}

TEST(TextBufferLoad, AMissingFileLeavesTheBufferAsItWas) {
    TempDir dir;
    std::string path = dir.Write("a.txt", "first\n");
    TextBuffer buffer;
    ASSERT_TRUE(buffer.Open(path.c_str(), kCapacity));
    EXPECT_FALSE(buffer.Load(dir.File("missing.txt").c_str(), 2));
    EXPECT_FALSE(buffer.Open(dir.Path().c_str(), kCapacity)) << "a directory is not a text";
    ASSERT_NE(buffer.Text(), nullptr);
    char line[kCapacity];
    buffer.ReadLine(line, sizeof line);
    EXPECT_STREQ(line, "first");
}

TEST(TextBufferLoad, ANewLoadReplacesTheOldTextAndRewinds) {
    TempDir dir;
    std::string first = dir.Write("1.txt", "one\ntwo\n");
    std::string second = dir.Write("2.txt", "three\n");
    TextBuffer buffer;
    char line[kCapacity];
    ASSERT_TRUE(buffer.Open(first.c_str(), kCapacity));
    buffer.ReadLine(line, sizeof line);
    ASSERT_TRUE(buffer.Open(second.c_str(), kCapacity));
    EXPECT_EQ(buffer.BytesRead(), 6u);
    buffer.ReadLine(line, sizeof line);
    EXPECT_STREQ(line, "three");
    EXPECT_TRUE(buffer.AtEnd());
}

TEST(TextBufferLoad, AnEmptyFileGivesNoLines) {
    TextBuffer buffer;
    EXPECT_TRUE(Lines("", buffer).empty());
    EXPECT_EQ(buffer.BytesRead(), 0u);
    ASSERT_NE(buffer.Text(), nullptr);
    EXPECT_EQ(buffer.Text()[0], '\0');
}

TEST(TextBufferLoad, ReleaseAndRewind) {
    TextBuffer buffer;
    Lines("x\ny\n", buffer);
    EXPECT_TRUE(buffer.AtEnd());
    buffer.Rewind();
    char line[kCapacity];
    buffer.ReadLine(line, sizeof line);
    EXPECT_STREQ(line, "x");
    buffer.Release();
    EXPECT_EQ(buffer.Text(), nullptr);
    EXPECT_EQ(buffer.BytesRead(), 0u);
    EXPECT_TRUE(buffer.AtEnd());
    std::memset(line, '#', sizeof line);
    EXPECT_EQ(buffer.ReadLine(line, sizeof line), 0);
    EXPECT_STREQ(line, "");
    buffer.Release();
}

TEST(TextBufferReadLine, LineEnds) {
    EXPECT_EQ(Lines("a\r\nb\nc\r\n"), (LineList{"a", "b", "c"}));
    EXPECT_EQ(Lines("last without end"), (LineList{"last without end"}));
    EXPECT_EQ(Lines("\n\n"), (LineList{"", ""}));
    EXPECT_EQ(Lines("a\rb\r\r\nc"), (LineList{"ab", "c"}));
}

TEST(TextBufferReadLine, CarriageReturnOnlyTextIsOneLongLine) {
    std::string text;
    for (int i = 0; i < 100; ++i) {
        text += "abcd\r";
    }
    LineList lines = Lines(text);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), 254u);
    EXPECT_EQ(lines[1].size(), 400u - 254u);
    EXPECT_EQ(lines[0].substr(0, 8), "abcdabcd");
}

TEST(TextBufferReadLine, TabsExpandToTheNextStop) {
    EXPECT_EQ(Lines("abc\tx"), (LineList{"abc     x"}));
    EXPECT_EQ(Lines("12345678\tx"), (LineList{"12345678        x"}));
    EXPECT_EQ(Lines("\tX\tY"), (LineList{"        X       Y"}));

    TextBuffer buffer;
    buffer.SetTabWidth(4);
    EXPECT_EQ(Lines("a\tb\r\n\tc", buffer), (LineList{"a   b", "    c"}));
    buffer.SetTabWidth(0);
    EXPECT_EQ(buffer.TabWidth(), 1);
    EXPECT_EQ(Lines("a\tb", buffer), (LineList{"a b"}));
}

TEST(TextBufferReadLine, TabsStayWhenExpansionIsOff) {
    TextBuffer buffer;
    buffer.SetExpandTabs(false);
    EXPECT_EQ(Lines("a\tb\n", buffer), (LineList{"a\tb"}));
}

TEST(TextBufferReadLine, ReturnsTheWidthInColumns) {
    TempDir dir;
    std::string path = dir.Write("w.txt", "abc\tx\n\n" + std::string(300, 'z'));
    TextBuffer buffer;
    ASSERT_TRUE(buffer.Open(path.c_str(), kCapacity));
    char line[kCapacity];
    EXPECT_EQ(buffer.ReadLine(line, sizeof line), 9);
    EXPECT_EQ(buffer.ReadLine(line, sizeof line), 0);
    // The character that fills a cut line is not counted.
    EXPECT_EQ(buffer.ReadLine(line, sizeof line), 253);
    EXPECT_EQ(buffer.ReadLine(line, sizeof line), 46);
}

TEST(TextBufferReadLine, LongLinesAreCutAtTheCapacity) {
    std::string text = std::string(254, 'a') + std::string(46, 'b') + "\nnext\n";
    LineList lines = Lines(text);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], std::string(254, 'a'));
    EXPECT_EQ(lines[1], std::string(46, 'b'));
    EXPECT_EQ(lines[2], "next");
}

TEST(TextBufferReadLine, ALineThatFillsTheBufferExactlyKeepsItsLineEnd) {
    EXPECT_EQ(Lines(std::string(254, 'a') + "\nnext"), (LineList{std::string(254, 'a'), "next"}));
    EXPECT_EQ(Lines(std::string(254, 'a') + "\r\nnext"), (LineList{std::string(254, 'a'), "next"}));
    EXPECT_EQ(Lines(std::string(254, 'a') + "\n\nnext"),
              (LineList{std::string(254, 'a'), "", "next"}));
    EXPECT_EQ(Lines(std::string(254, 'a') + "\n"), (LineList{std::string(254, 'a')}));
}

TEST(TextBufferReadLine, ACutInsideATabDropsTheRestOfItsBlanks) {
    std::string text = std::string(250, 'a') + "\tb";
    LineList lines = Lines(text);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::string(250, 'a') + "    ");
    EXPECT_EQ(lines[1], "b");
}

TEST(TextBufferReadLine, AZeroByteIsCopiedAndEndsTheVisibleText) {
    TempDir dir;
    std::string path = dir.Write("z.txt", std::string("ab\0cd\nx", 7));
    TextBuffer buffer;
    ASSERT_TRUE(buffer.Open(path.c_str(), kCapacity));
    char line[kCapacity];
    EXPECT_EQ(buffer.ReadLine(line, sizeof line), 5);
    EXPECT_EQ(std::string(line, 6), std::string("ab\0cd\0", 6));
    buffer.ReadLine(line, sizeof line);
    EXPECT_STREQ(line, "x");
}

TEST(TextBufferReadLine, ASmallerCallerBufferCutsEarlierWithoutOverflow) {
    TempDir dir;
    std::string path = dir.Write("s.txt", "abcdefghij\n");
    TextBuffer buffer;
    ASSERT_TRUE(buffer.Open(path.c_str(), kCapacity));
    char small[5];
    buffer.ReadLine(small, sizeof small);
    EXPECT_STREQ(small, "abcd");
    buffer.ReadLine(small, sizeof small);
    EXPECT_STREQ(small, "efgh");
    buffer.ReadLine(small, sizeof small);
    EXPECT_STREQ(small, "ij");
    EXPECT_TRUE(buffer.AtEnd());
}

TEST(TextBufferReadLine, TheCapacityLimitsTheLine) {
    TempDir dir;
    std::string path = dir.Write("c.txt", "abcdefg\n");
    TextBuffer buffer;
    ASSERT_TRUE(buffer.Open(path.c_str(), 4));
    char line[kCapacity];
    buffer.ReadLine(line, sizeof line);
    EXPECT_STREQ(line, "abc");
    buffer.ReadLine(line, sizeof line);
    EXPECT_STREQ(line, "def");
    buffer.ReadLine(line, sizeof line);
    EXPECT_STREQ(line, "g");
    EXPECT_TRUE(buffer.AtEnd());
}

TEST(TextBufferOpen, TheFileIsLetGoOnceHeldWholeOrClosed) {
    TempDir dir;
    std::string small = dir.Write("small.txt", "one\ntwo\n");
    std::string large = dir.Write("large.txt", std::string(100, 'x') + "\n" + "last\n");
    TextBuffer buffer;
    ASSERT_TRUE(buffer.Open(small.c_str(), kCapacity));
    // Held whole in its first piece: the file can be opened again (on Windows it would not
    // while the buffer held it, since it is opened without sharing).
    TextBuffer other;
    EXPECT_TRUE(other.Open(small.c_str(), kCapacity));

    buffer.SetReadChunk(16);
    ASSERT_TRUE(buffer.Open(large.c_str(), kCapacity));
    char line[kCapacity];
    buffer.ReadLine(line, sizeof line);
    buffer.ReadLine(line, sizeof line);
    EXPECT_STREQ(line, "last");
    EXPECT_TRUE(buffer.AtEnd());
    buffer.Rewind();
    buffer.ReadLine(line, sizeof line);
    EXPECT_EQ(std::string(line), std::string(100, 'x')) << "read again from the start";

    // Closed after the first piece: the lines end with what is held.
    buffer.Rewind();
    buffer.CloseFile();
    std::string rest;
    while (!buffer.AtEnd()) {
        buffer.ReadLine(line, sizeof line);
        rest += line;
    }
    EXPECT_EQ(rest, std::string(16, 'x'));
    buffer.Rewind();
    EXPECT_FALSE(buffer.AtEnd()) << "the first piece is still held";
}

namespace {

// The lines and their widths, read into buffers of kLineBufferSize bytes.
struct WideLine {
    std::string text;
    int cells;
    bool operator==(const WideLine& other) const {
        return text == other.text && cells == other.cells;
    }
};

std::vector<WideLine> CellLines(const std::string& bytes, int capacity = kCapacity,
                                std::uint32_t chunk = TextBuffer::kDefaultReadChunk) {
    TempDir dir;
    std::string path = dir.Write("cells.txt", bytes);
    TextBuffer buffer;
    buffer.SetReadChunk(chunk);
    EXPECT_TRUE(buffer.Open(path.c_str(), capacity));
    std::vector<WideLine> lines;
    std::vector<char> line(kLineBufferSize);
    while (!buffer.AtEnd()) {
        CellRun visible;
        int width = buffer.ReadLine(line.data(), line.size(), &visible);
        EXPECT_EQ(visible.cells, CountCells(line.data(), visible.length));
        EXPECT_EQ(visible.ascii, FindNonAscii(line.data(), visible.length) == visible.length);
        lines.push_back({line.data(), width});
    }
    return lines;
}

const std::string kWide = "\xE6\x97\xA5";  // a wide character, two cells
const std::string kAcute = "\xCC\x81";     // a combining mark, no cell
const std::string kEAcute = "\xC3\xA9";    // one cell in two bytes

}  // namespace

TEST(TextBufferCells, TabsAndTheCapacityCountCells) {
    // A tab after wide characters stops by cells: 日日 is four cells, the tab adds four.
    EXPECT_EQ(CellLines(kWide + kWide + "\tx"),
              (std::vector<WideLine>{{kWide + kWide + "    x", 9}}));
    EXPECT_EQ(CellLines("e" + kAcute + "\tx"),
              (std::vector<WideLine>{{"e" + kAcute + "       x", 9}}));
    // 254 cells of two-byte characters fill a line of 508 bytes.
    std::string accents;
    for (int i = 0; i < 300; ++i) {
        accents += kEAcute;
    }
    std::vector<WideLine> lines = CellLines(accents);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text.size(), 508u);
    EXPECT_EQ(lines[0].cells, 253) << "the character that filled it is not counted";
    EXPECT_EQ(lines[1].text.size(), 92u);
}

TEST(TextBufferCells, AWideCharacterAtTheCutStartsTheNextLine) {
    std::string text = std::string(253, 'a') + kWide + "b\n";
    std::vector<WideLine> lines = CellLines(text);
    EXPECT_EQ(lines, (std::vector<WideLine>{{std::string(253, 'a'), 253}, {kWide + "b", 3}}));
    // On a line of one cell it still goes, alone.
    EXPECT_EQ(CellLines(kWide + "b", 2), (std::vector<WideLine>{{kWide, 0}, {"b", 0}}));
    // Marks stay with the character that filled a line.
    lines = CellLines(std::string(254, 'a') + kAcute + kAcute + "z");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, std::string(254, 'a') + kAcute + kAcute);
    EXPECT_EQ(lines[1].text, "z");
}

TEST(TextBufferCells, EndlessCombiningMarksAreCutByTheBytes) {
    std::string text = "e";
    for (int i = 0; i < 5000; ++i) {
        text += kAcute;
    }
    text += "\nnext";
    for (std::uint32_t chunk : {7u, 1000u, TextBuffer::kDefaultReadChunk}) {
        std::vector<WideLine> lines = CellLines(text, kCapacity, chunk);
        ASSERT_GE(lines.size(), 3u);
        std::string joined;
        for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
            EXPECT_LT(lines[i].text.size(), kLineBufferSize);
            EXPECT_EQ(lines[i].text.size() % 2, i == 0 ? 1u : 0u) << "never inside a mark";
            joined += lines[i].text;
        }
        EXPECT_EQ(joined, text.substr(0, text.size() - 5)) << "nothing lost";
        EXPECT_EQ(lines.back().text, "next");
    }
}

TEST(TextBufferCells, TheFileIsDecodedAndItsMarkLeftOut) {
    std::string utf16 = std::string(
        "\xFF\xFE"
        "a\0\t\0\xE5\x65\r\0\n\0z\0",
        14);
    EXPECT_EQ(CellLines(utf16, kCapacity, 9),
              (std::vector<WideLine>{{"a       " + kWide, 10}, {"z", 1}}));
    EXPECT_EQ(CellLines("\xEF\xBB\xBF"
                        "caf" +
                        kEAcute),
              (std::vector<WideLine>{{"caf" + kEAcute, 4}}));
    EXPECT_EQ(CellLines("caf\xE9"), (std::vector<WideLine>{{"caf" + kEAcute, 4}}));
    // A loaded text is read as it is: what is not UTF-8 reads as U+FFFD.
    TempDir dir;
    std::string path = dir.Write("raw.txt", "\xE9" + kEAcute);
    TextBuffer buffer;
    ASSERT_TRUE(buffer.Load(path.c_str(), 2));
    char line[16];
    EXPECT_EQ(buffer.ReadLine(line, sizeof line), 2);
    EXPECT_STREQ(line, ("\xEF\xBF\xBD" + kEAcute).c_str());
}

namespace {

struct PositionCase {
    const char* name;
    std::string bytes;
    std::uint32_t chunk;
};

// Every line read again from the place told before it, in the order given by `order` over the
// line indexes, equals the line the first pass read.
void ExpectEveryPlaceReadsItsLine(const PositionCase& c, bool backwards) {
    TempDir dir;
    std::string path = dir.Write("text.txt", c.bytes);
    TextBuffer buffer;
    buffer.SetReadChunk(c.chunk);
    ASSERT_TRUE(buffer.Open(path.c_str(), kCapacity));
    std::vector<TextPosition> places;
    std::vector<std::string> lines;
    char line[kLineBufferSize];
    while (!buffer.AtEnd()) {
        places.push_back(buffer.Tell());
        buffer.ReadLine(line, sizeof line);
        lines.push_back(line);
    }
    ASSERT_FALSE(lines.empty());
    for (std::size_t n = 0; n < lines.size(); ++n) {
        std::size_t i = backwards ? lines.size() - 1 - n : (n * 7) % lines.size();
        ASSERT_TRUE(buffer.Seek(places[i])) << c.name << " line " << i;
        buffer.ReadLine(line, sizeof line);
        EXPECT_EQ(std::string(line), lines[i]) << c.name << " line " << i;
        // And the lines after it follow as in the first pass.
        if (i + 1 < lines.size()) {
            buffer.ReadLine(line, sizeof line);
            EXPECT_EQ(std::string(line), lines[i + 1]) << c.name << " after line " << i;
        }
    }
}

std::string ManyLines(const std::string& piece, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += piece + std::to_string(i) + (i % 3 == 0 ? "\r\n" : "\n");
    }
    return text;
}

}  // namespace

TEST(TextBufferPosition, EveryPlaceToldReadsItsLineAgainInEveryEncoding) {
    std::string utf16 = "\xFF\xFE";
    for (char ch : ManyLines("utf16 line ", 40)) {
        utf16 += ch;
        utf16 += '\0';
    }
    std::string longLines;
    for (int i = 0; i < 12; ++i) {
        longLines += std::string(300 + i * 41, static_cast<char>('a' + i)) + "\n";
    }
    const PositionCase cases[] = {
        {"ascii, one piece", ManyLines("line ", 50), TextBuffer::kDefaultReadChunk},
        {"ascii, small pieces", ManyLines("line\t", 50), 9},
        {"utf-8 without a mark", ManyLines("Gr\xC3\xBC\xC3\x9F \xE4\xB8\xAD ", 60), 11},
        {"utf-8 with a mark", "\xEF\xBB\xBF" + ManyLines("\xE2\x82\xAC ", 60), 13},
        {"legacy code page", ManyLines("caf\xE9 ", 60), 10},
        {"utf-16 with a mark", utf16, 16},
        {"lines cut at the capacity", longLines, 64},
        {"a cut line before carriage returns at the end", std::string(254, 'x') + "\r\r", 8},
    };
    for (const PositionCase& c : cases) {
        ExpectEveryPlaceReadsItsLine(c, false);
        ExpectEveryPlaceReadsItsLine(c, true);
    }
}

TEST(TextBufferPosition, ALoadedTextSeeksWithinItsBlock) {
    TempDir dir;
    std::string path = dir.Write("text.txt", "one\ntwo\nthree\n");
    TextBuffer buffer;
    ASSERT_TRUE(buffer.Load(path.c_str(), 1));
    char line[kCapacity];
    buffer.ReadLine(line, sizeof line);
    TextPosition second = buffer.Tell();
    buffer.ReadLine(line, sizeof line);
    buffer.ReadLine(line, sizeof line);
    EXPECT_TRUE(buffer.AtEnd());
    ASSERT_TRUE(buffer.Seek(second));
    buffer.ReadLine(line, sizeof line);
    EXPECT_STREQ(line, "two");
    // A place past the text held is refused and leaves the reader at the end.
    TextPosition beyond = second;
    beyond.cursor = 1000;
    EXPECT_FALSE(buffer.Seek(beyond));
    EXPECT_TRUE(buffer.AtEnd());
}

namespace {

// One line as ReadLine gives it, with what it tells of the line.
struct ReadResult {
    std::string text;
    int cells;
    std::size_t visibleLength;
    std::size_t visibleCells;
    bool ascii;
    bool operator==(const ReadResult& other) const {
        return text == other.text && cells == other.cells && visibleLength == other.visibleLength &&
               visibleCells == other.visibleCells && ascii == other.ascii;
    }
};

std::vector<ReadResult> ReadAll(const std::string& path, int capacity, std::uint32_t chunk,
                                std::size_t bufferSize) {
    TextBuffer buffer;
    buffer.SetReadChunk(chunk);
    EXPECT_TRUE(buffer.Open(path.c_str(), capacity));
    std::vector<ReadResult> lines;
    std::vector<char> line(bufferSize);
    while (!buffer.AtEnd() && lines.size() < 100000) {
        CellRun visible;
        int cells = buffer.ReadLine(line.data(), line.size(), &visible);
        lines.push_back({line.data(), cells, visible.length, visible.cells, visible.ascii});
    }
    return lines;
}

}  // namespace

namespace {

// Texts of random pieces, mostly the first `common` of them and line ends (piece 20, which
// must be "\n"; piece 21 stands for a zero byte), read in pieces of 7 bytes (character by
// character) and of the usual sizes (in blocks): both must give the same lines, cut at the
// same cells, at every capacity and buffer size.
void ExpectBlocksReadAsOneByOne(const std::vector<const char*>& pieces, std::uint32_t common,
                                std::uint32_t seed) {
    const auto kPieceKinds = static_cast<std::uint32_t>(pieces.size());
    std::uint32_t state = seed;
    auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };
    TempDir dir;
    for (int round = 0; round < 12; ++round) {
        std::string text;
        while (text.size() < 20000) {
            std::uint32_t roll = next() % 16;
            // Mostly letters and words, with line ends often enough to meet every column.
            std::uint32_t pick = roll < 10   ? next() % common
                                 : roll < 13 ? next() % kPieceKinds
                                             : 20;
            if (pick == 21) {
                text += '\0';
            } else {
                text += pieces[pick];
            }
        }
        std::string path = dir.Write("letters.txt", text);
        for (int capacity : {255, 40, 9, 2}) {
            for (std::size_t bufferSize : {std::size_t{2048}, std::size_t{300}, std::size_t{20}}) {
                SCOPED_TRACE("round " + std::to_string(round) + " capacity " +
                             std::to_string(capacity) + " buffer " + std::to_string(bufferSize));
                std::vector<ReadResult> oneByOne = ReadAll(path, capacity, 7, bufferSize);
                for (bool wide : {true, false}) {
                    bool was = TextBuffer::UseWideBlocks(wide);
                    ASSERT_TRUE(ReadAll(path, capacity, TextBuffer::kDefaultReadChunk,
                                        bufferSize) == oneByOne);
                    ASSERT_TRUE(ReadAll(path, capacity, 4096, bufferSize) == oneByOne);
                    TextBuffer::UseWideBlocks(was);
                }
            }
        }
    }
}

}  // namespace

TEST(TextBufferCells, LettersReadInBlocksAreTheLettersReadOneByOne) {
    // Pieces shorter than a block are read character by character; long ones take the runs
    // of Latin, Greek and Cyrillic letters (and of characters of three bytes) sixteen bytes at
    // a time, whatever else lies among the letters.
    const std::vector<const char*> pieces = {"a",
                                             "the ",
                                             "\xC3\xA9",
                                             "\xD0\xB6",
                                             "\xCE\xA9",
                                             "\xC5\x82",
                                             "\xC2\xBD",
                                             "\xC2\xA0",
                                             "\xCB\xBF",
                                             "\xD1\xBF",
                                             "\xC2\x80",
                                             "\xCC\x81",
                                             "\xD2\x83",
                                             "\xCD\xB0",
                                             "\xD2\x90",
                                             "\xE2\x82\xAC",
                                             "\xE6\x97\xA5",
                                             "\xE2\x80\x8B",
                                             "\t",
                                             "\r",
                                             "\n",
                                             "",  // a zero byte, added below
                                             "\f",
                                             "\xF0\x9F\x98\x80"};
    ExpectBlocksReadAsOneByOne(pieces, 11, 99);
}

TEST(TextBufferCells, LinesAfterLinesBeyondAsciiReadAsOneByOne) {
    // Lines beyond ASCII one after the other, as the reader of such lines takes them block by
    // block: of one block and of two, ending in "\n", "\r\n" or "\r\r\n", with a tab, a zero
    // byte, a control character, a character of four bytes or a combining mark among their
    // letters or none, at capacities where some lines fill exactly, fall a cell short or pass
    // by one. They read as the same lines read character by character.
    const char* const ends[] = {"\n", "\r\n", "\r\r\n"};
    const std::string others[] = {"",        "\t", std::string(1, '\0'), "\f", "\xF0\x9F\x98\x80",
                                  "\xCC\x81"};
    std::string text;
    std::size_t place = 0;
    for (std::size_t letters = 20; letters <= 70; letters += 5) {
        for (const char* end : ends) {
            for (const std::string& other : others) {
                std::vector<std::string> pieces;
                for (std::size_t i = 0; i < letters; ++i) {
                    pieces.push_back(i % 3 == 0 ? "\xC3\xA9" : i % 7 == 0 ? "\xE2\x82\xAC" : "a");
                }
                place = (place + 7) % (pieces.size() + 1);
                pieces.insert(pieces.begin() + static_cast<std::ptrdiff_t>(place), other);
                for (const std::string& piece : pieces) {
                    text += piece;
                }
                text += end;
            }
        }
    }
    TempDir dir;
    std::string path = dir.Write("letter-lines.txt", text);
    for (int capacity : {255, 66, 65, 64, 41, 21}) {
        for (std::size_t bufferSize : {std::size_t{2048}, std::size_t{100}}) {
            SCOPED_TRACE("capacity " + std::to_string(capacity) + " buffer " +
                         std::to_string(bufferSize));
            std::vector<ReadResult> oneByOne = ReadAll(path, capacity, 7, bufferSize);
            for (bool wide : {true, false}) {
                bool was = TextBuffer::UseWideBlocks(wide);
                EXPECT_TRUE(ReadAll(path, capacity, TextBuffer::kDefaultReadChunk, bufferSize) ==
                            oneByOne)
                    << (wide ? "wide" : "narrow");
                TextBuffer::UseWideBlocks(was);
            }
        }
    }
}

TEST(TextBufferCells, CharactersOfThreeBytesReadInBlocksAreTheOnesReadOneByOne) {
    // Signs, wide characters (two cells), characters of no width (combining, format) and
    // first bytes E0 and ED (read by the decoder), among ASCII and two-byte letters, so that
    // blocks cut them at every place and line ends fall inside blocks.
    const std::vector<const char*> pieces = {"a",
                                             "the ",
                                             "\xE2\x82\xAC",  // euro sign
                                             "\xE2\x80\x94",  // em dash
                                             "\xE6\x97\xA5",  // wide
                                             "\xEF\xBC\xA1",  // fullwidth A: wide
                                             "\xEF\xBD\xB1",  // halfwidth katakana: one cell
                                             "\xE2\x80\x8B",  // zero width space
                                             "\xEF\xBB\xBF",  // zero width no-break space
                                             "\xE3\x80\xAA",  // combining, among wide ones
                                             "\xE1\x85\xA0",  // Hangul vowel: no width
                                             "\xEA\xB0\x80",  // Hangul syllable: wide
                                             "\xEE\x80\x80",  // private use
                                             "\xC3\xA9",
                                             "\xD0\xB6",
                                             "\xE0\xA4\x95",  // first byte E0
                                             "\xED\x9F\xBF",  // first byte ED
                                             "\xCC\x81",
                                             "\t",
                                             "\r",
                                             "\n",
                                             "",  // a zero byte
                                             "\xF0\x9F\x98\x80"};
    ExpectBlocksReadAsOneByOne(pieces, 15, 7);
}

TEST(TextBufferReadLine, ARunOfAsciiEndsAtEveryStopAsAnyLineDoes) {
    // ReadLine reads ASCII lines itself and hands the others on where their first other byte
    // stands: runs of every length, before each kind of byte and a tail longer than a block,
    // from an opened file and from a loaded one (where a byte that is not UTF-8 reads as
    // U+FFFD).
    struct Stop {
        std::string bytes;
        std::string read;
        int cells;  // of `read`; -1 for a tab
    };
    const std::vector<Stop> stops = {{"\xC3\xA9", "\xC3\xA9", 1},
                                     {"\xE6\x97\xA5", "\xE6\x97\xA5", 2},
                                     {"\xCC\x81", "\xCC\x81", 0},
                                     {"\t", "", -1},
                                     {"\r", "", 0},
                                     {"\f", "\f", 1},
                                     {std::string(1, '\0'), std::string(1, '\0'), 1},
                                     {"\xFF", "\xEF\xBF\xBD", 1}};
    const std::string tail(70, 'b');
    for (bool load : {false, true}) {
        std::string text;
        std::vector<ReadResult> expected;
        for (const Stop& stop : stops) {
            if (stop.bytes == "\xFF" && !load) {
                continue;  // an opened file that is not UTF-8 is read in its code page
            }
            for (std::size_t length = 0; length <= 150; ++length) {
                std::string run(length, 'a');
                text += run + stop.bytes + tail + "\n";
                std::string read = stop.read;
                int cells = stop.cells;
                if (cells < 0) {
                    cells = static_cast<int>(8 - length % 8);
                    read.assign(static_cast<std::size_t>(cells), ' ');
                }
                std::string line = run + read + tail;
                bool zero = stop.bytes[0] == '\0';
                bool ascii = static_cast<unsigned char>(stop.bytes[0]) < 0x80;
                int total = static_cast<int>(length + tail.size()) + cells;
                expected.push_back({zero ? run : line, total, zero ? length : line.size(),
                                    zero ? length : static_cast<std::size_t>(total), ascii});
            }
        }
        TempDir dir;
        std::string path = dir.Write("runs.txt", text);
        for (std::size_t bufferSize : {kLineBufferSize, std::size_t{300}}) {
            SCOPED_TRACE(std::string(load ? "loaded" : "opened") + ", buffer " +
                         std::to_string(bufferSize));
            TextBuffer buffer;
            ASSERT_TRUE(load ? buffer.Load(path.c_str(), 1) : buffer.Open(path.c_str(), 255));
            std::vector<char> line(bufferSize);
            for (const ReadResult& want : expected) {
                CellRun visible;
                int cells = buffer.ReadLine(line.data(), line.size(), &visible);
                ReadResult got{std::string(line.data(), visible.length), cells, visible.length,
                               visible.cells, visible.ascii};
                ASSERT_TRUE(got == want) << want.text;
            }
            EXPECT_TRUE(buffer.AtEnd());
        }
    }
}

TEST(TextBufferCells, AFaultAtEveryPlaceOfABlockReadsAsTheCharactersOneByOne) {
    // A loaded text is not checked ahead: each kind of fault, stop and character that the
    // blocks leave to the decoder, put at every place of a line of letters longer than a
    // block, reads as its characters do one by one (a faulty byte as U+FFFD of one cell).
    std::string letters;
    while (letters.size() < 150) {
        letters +=
            "ab \xC3\xA9\xD0\x96"
            "c\xE2\x82\xAC"
            "de\xE6\x97\xA5\xCE\xA9";
    }
    const char* const others[] = {
        "\x80",         "\xBF",         "\xC0\x80",     "\xC3",
        "\xC3\xC3",     "\xE2\x82",     "\xE2\x41\x41", "\xE0\x80\x80",
        "\xE0\xA4\x85", "\xED\xA0\x80", "\xED\x9F\xBF", "\xF0\x9F\x98\x80",
        "\xF5\x80",     "\xFF",         "\xCC\x81",     "\xD2\x83",
        "\xE2\x80\x8B", "\r",           "\f",           "\t"};
    TempDir dir;
    for (bool wide : {true, false}) {
        bool was = TextBuffer::UseWideBlocks(wide);
        for (const char* other : others) {
            std::string text;
            std::vector<std::string> lines;
            for (std::size_t at = 0; at <= 140; ++at) {
                std::string line = letters.substr(0, at) + other + letters.substr(at);
                text += line + "\n";
                lines.push_back(line);
            }
            std::string path = dir.Write("faults.txt", text);
            TextBuffer buffer;
            ASSERT_TRUE(buffer.Load(path.c_str(), 64));
            std::vector<char> out(1024);
            for (std::size_t at = 0; at < lines.size(); ++at) {
                // The line as its characters read one by one.
                const std::string& line = lines[at];
                std::string expected;
                int cells = 0;
                bool ascii = true;
                for (std::size_t i = 0; i < line.size();) {
                    char32_t code = 0;
                    std::size_t size = DecodeUtf8(line.data() + i, line.size() - i, &code);
                    if (line[i] == '\t') {
                        std::size_t blanks = 8 - static_cast<std::size_t>(cells) % 8;
                        expected.append(blanks, ' ');
                        cells += static_cast<int>(blanks);
                    } else if (line[i] != '\r') {
                        char bytes[kMaxUtf8Bytes];
                        expected.append(bytes, EncodeUtf8(code, bytes));
                        cells += CharCells(code);
                        ascii = ascii && static_cast<unsigned char>(line[i]) < 0x80;
                    }
                    i += size;
                }
                CellRun visible;
                int read = buffer.ReadLine(out.data(), out.size(), &visible);
                ASSERT_EQ(std::string(out.data()), expected)
                    << (wide ? "wide " : "") << "at " << at;
                ASSERT_EQ(read, cells) << "at " << at;
                ASSERT_EQ(visible.cells, static_cast<std::size_t>(cells)) << "at " << at;
                ASSERT_EQ(visible.ascii, ascii) << "at " << at;
            }
        }
        TextBuffer::UseWideBlocks(was);
    }
}
