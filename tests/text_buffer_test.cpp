// Tests of TextBuffer: loading whole files and cutting them into lines.
#include "text/text_buffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/temp_dir.h"

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
