// Tests of character cells: the table, the count and the cut at a width.
#include "text/char_cells.h"

#include <gtest/gtest.h>

#include <string>

#include "text/code_page.h"

TEST(CharCells, WideCombiningAndTheRest) {
    const struct {
        char32_t code;
        int cells;
    } cases[] = {
        {'A', 1},      {0x09, 1},    {0x00, 1},    {0x7F, 1},    {0x85, 1},      // controls
        {0xE9, 1},     {0xAD, 1},    {0x20AC, 1},  {0x416, 1},   {0x3A9, 1},     // é, soft hyphen
        {0x301, 0},    {0x5B4, 0},   {0x20DD, 0},  {0x200B, 0},  {0xFEFF, 0},    // marks, formats
        {0x200D, 0},   {0xFE0F, 0},  {0xE0100, 0}, {0x1160, 0},  {0x11A8, 0},    // Hangul jamo
        {0x1100, 2},   {0x65E5, 2},  {0xAC00, 2},  {0x3042, 2},  {0xFF21, 2},    // wide
        {0x3000, 2},   {0x1F600, 2}, {0x20000, 2}, {0x3FFFD, 2}, {0x9FFF, 2},    // planes 2, 3
        {0xFF61, 1},   {0x30FB, 2},  {0x302A, 0},  {0xFFFD, 1},  {0x10FFFF, 1},  // halfwidth
        {0x110000, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CharCells(c.code), c.cells) << std::hex << static_cast<unsigned>(c.code);
    }
}

TEST(CharCells, EveryCharacterOf1252IsOneCell) {
    LegacyCodePage page(1252);
    for (int byte = 0; byte < 256; ++byte) {
        char in = static_cast<char>(byte);
        char out[8];
        std::size_t used = 0;
        std::size_t length = page.Decode(&in, 1, true, out, sizeof out, &used);
        EXPECT_EQ(CountCells(out, length), 1u) << byte;
    }
}

TEST(CharCells, CutsTakeWholeCharactersAndTheMarksAfterThem) {
    // "ab" "日" "é" written as e and a combining acute; "x".
    const std::string text =
        "ab\xE6\x97\xA5"
        "e\xCC\x81x";
    EXPECT_EQ(CountCells(text.data(), text.size()), 6u);
    const struct {
        std::size_t width;
        std::size_t bytes;
        std::size_t cells;
    } cases[] = {
        {0, 1, 1},             // the first character goes in whatever the width
        {2, 2, 2}, {3, 2, 2},  // the wide character does not split: it moves on whole
        {4, 5, 4}, {5, 8, 5},  // the mark stays with its e
        {6, 9, 6}, {100, 9, 6},
    };
    for (const auto& c : cases) {
        CellCut cut = CutAtCells(text.data(), text.size(), c.width);
        EXPECT_EQ(cut.bytes, c.bytes) << c.width;
        EXPECT_EQ(cut.cells, c.cells) << c.width;
    }
    CellCut wide = CutAtCells("\xE6\x97\xA5z", 4, 1);
    EXPECT_EQ(wide.bytes, 3u) << "a wide character alone on a one-cell width still goes";
    EXPECT_EQ(wide.cells, 2u);

    CellChar ch = NextCellChar(text.data(), text.size(), 2);
    EXPECT_EQ(ch.code, 0x65E5u);
    EXPECT_EQ(ch.bytes, 3u);
    EXPECT_EQ(ch.cells, 2);
    ch = NextCellChar("\xFF", 1, 0);
    EXPECT_EQ(ch.code, kReplacementChar);
    EXPECT_EQ(ch.bytes, 1u);
    EXPECT_EQ(ch.cells, 1);
}

TEST(CharCells, TheLettersReadLineTakesInBlocksAreOneCellEach) {
    // ReadLine counts the characters of two bytes from U+0080 to U+02FF and from U+0380 to
    // U+047F a cell each without asking the table: the table must agree.
    for (char32_t code = 0x80; code <= 0x47F; ++code) {
        if (code >= 0x300 && code < 0x380) {
            continue;  // the combining marks, and the Greek block's first letters
        }
        EXPECT_EQ(CharCells(code), 1) << std::hex << static_cast<unsigned>(code);
    }
    EXPECT_EQ(CharCells(0x483), 0) << "the first mark after them, which the blocks leave out";
}

namespace {

// CutAtCells character by character, as NextCellChar reads each one.
CellCut CutOneByOne(const char* text, std::size_t length, std::size_t cells) {
    CellCut cut;
    while (cut.bytes < length) {
        CellChar ch = NextCellChar(text, length, cut.bytes);
        auto width = static_cast<std::size_t>(ch.cells);
        if (width > 0 && cut.cells > 0 && cut.cells + width > cells) {
            break;
        }
        cut.cells += width;
        cut.bytes += ch.bytes;
    }
    return cut;
}

}  // namespace

TEST(CharCells, CutsOfLettersTakenInBlocksAreTheCutsOneByOne) {
    // A text of letters and characters of three bytes (a sign, wide ones, one of no width),
    // with every other kind of character and fault put at every place of its blocks, cut at
    // every width from every start.
    const std::string letters =
        "ab\xC3\xA9"
        "cd\xD0\xB6\xCE\xA9 \xC5\x82"
        "e\xC2\xBD\xCB\xBF\xD1\xBF"
        "fgh\xC2\x80"
        "ijklm\xC3\xA9\xC3\xA9\xC3\xA9nop\xD0\xB6q"
        "r\xE2\x82\xAC"
        "s\xE6\x97\xA5t\xE2\x80\x8B"
        "u\xEF\xBC\xA1v";
    const std::string others[] = {"\xCC\x81",     "\xCD\xAF",     "\xD2\x83",          "\xDF\xBF",
                                  "\xE2\x82\xAC", "\xE6\x97\xA5", "\xF0\x9F\x98\x80",  "\x80",
                                  "\xBF",         "\xC3",         "\xC0\x80",          "\xFF",
                                  "\xC3\xC3",     "\t",           std::string(1, '\0')};
    for (const std::string& piece : others) {
        for (std::size_t at = 0; at <= letters.size(); ++at) {
            std::string text = letters.substr(0, at) + piece + letters.substr(at) + letters;
            for (std::size_t start = 0; start < 17; ++start) {
                const char* from = text.data() + start;
                std::size_t length = text.size() - start;
                for (std::size_t cells = 0; cells <= 70; ++cells) {
                    CellCut blocks = CutAtCells(from, length, cells);
                    CellCut expected = CutOneByOne(from, length, cells);
                    ASSERT_EQ(blocks.bytes, expected.bytes)
                        << "at " << at << " from " << start << " cells " << cells;
                    ASSERT_EQ(blocks.cells, expected.cells)
                        << "at " << at << " from " << start << " cells " << cells;
                }
            }
        }
    }
}
