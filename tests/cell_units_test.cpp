// Tests of CellUnits: the UTF-16 units of a line and the cells after each.
#include "ui/cell_units.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Unit {
    char16_t unit;
    int cells;
    bool operator==(const Unit& other) const { return unit == other.unit && cells == other.cells; }
};

std::vector<Unit> Units(const std::string& text, std::size_t room) {
    std::vector<char16_t> units(room + 1, u'#');
    std::vector<int> cells(room + 1, -1);
    std::size_t count = CellUnits(text.data(), text.size(), units.data(), cells.data(), room);
    EXPECT_LE(count, room);
    EXPECT_EQ(units[room], u'#') << "nothing is written past the room";
    std::vector<Unit> out;
    for (std::size_t i = 0; i < count; ++i) {
        out.push_back({units[i], cells[i]});
    }
    return out;
}

}  // namespace

TEST(CellUnits, EachCharacterWithItsCells) {
    const struct {
        const char* what;
        std::string text;
        std::vector<Unit> units;
    } cases[] = {
        {"empty", "", {}},
        {"ASCII", "a b", {{u'a', 1}, {u' ', 1}, {u'b', 1}}},
        {"Latin, Greek, Cyrillic, the euro",
         "é\xCE\xA9Ж€",
         {{0xE9, 1}, {0x3A9, 1}, {0x416, 1}, {0x20AC, 1}}},
        {"a wide character covers two cells", "日x", {{0x65E5, 2}, {u'x', 1}}},
        {"a combining mark draws over the letter before it",
         "e\xCC\x81x",
         {{u'e', 1}, {0x301, 0}, {u'x', 1}}},
        {"beyond U+FFFF: the cells on the first unit",
         "\xF0\x9F\x98\x80!",
         {{0xD83D, 2}, {0xDE00, 0}, {u'!', 1}}},
        {"a character of plane 1 of one cell", "\xF0\x90\x8C\xB0", {{0xD800, 1}, {0xDF30, 0}}},
        {"an invalid byte is U+FFFD of one cell",
         "a\xFF"
         "b",
         {{u'a', 1}, {0xFFFD, 1}, {u'b', 1}}},
        {"a character cut short: each byte U+FFFD", "\xE6\x97", {{0xFFFD, 1}, {0xFFFD, 1}}},
        {"a tab and a control keep one cell", "\t\x1B", {{u'\t', 1}, {0x1B, 1}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Units(c.text, c.text.size()), c.units) << c.what;
    }
}

TEST(CellUnits, StopsBeforeACharacterThatFindsNoRoom) {
    const struct {
        const char* what;
        std::string text;
        std::size_t room;
        std::vector<Unit> units;
    } cases[] = {
        {"no room", "abc", 0, {}},
        {"room for two of three", "abc", 2, {{u'a', 1}, {u'b', 1}}},
        {"a pair needs two units", "a\xF0\x9F\x98\x80", 2, {{u'a', 1}}},
        {"a pair that fits", "a\xF0\x9F\x98\x80", 3, {{u'a', 1}, {0xD83D, 2}, {0xDE00, 0}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Units(c.text, c.room), c.units) << c.what;
    }
}
