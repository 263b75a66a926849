// Tests of the order of the file list's rows.
#include "browser/entry_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

TEST(CompareEntryTexts, AsciiCaseBlindWithHighBytesFirst) {
    const struct {
        const char* a;
        const char* b;
        int result;
    } cases[] = {{"Abc", "ABC.TXT", 0},
                 {"abc.txt", "ABD", -1},
                 {"ABD", "abc.txt", 1},
                 {"a_", "AZ", 1},      // only a to z fold: '_' stays above 'Z'
                 {"\xe4", "\xc4", 1},  // no folding above 0x7F
                 {"\x80x", "  .. previous", -1},
                 {" \xe9t", "  .. previous", -1},
                 {"  .. previous", " !bang", -1},
                 {" zeta", "!readme", -1}};
    for (const auto& c : cases) {
        EXPECT_EQ(CompareEntryTexts(c.a, c.b), c.result) << c.a << " / " << c.b;
        if (c.result != 0) {
            EXPECT_EQ(EntryTextLess(c.a, c.b), c.result < 0) << c.a << " / " << c.b;
        }
    }
}

TEST(EntryTextLess, OrdersPrefixesFirstSoSortingIsSound) {
    // CompareEntryTexts calls "ab" equal to "abc" and to "abd", which differ: no sort order.
    EXPECT_EQ(CompareEntryTexts("ab", "abc"), 0);
    EXPECT_EQ(CompareEntryTexts("ab", "abd"), 0);
    EXPECT_FALSE(EntryTextLess("abc", "ABC"));
    std::vector<std::string> texts = {"abd", "AB", "abc", "ABCD", "b", "a"};
    std::sort(texts.begin(), texts.end(), [](const std::string& x, const std::string& y) {
        return EntryTextLess(x.c_str(), y.c_str());
    });
    EXPECT_EQ(texts, (std::vector<std::string>{"a", "AB", "abc", "ABCD", "abd", "b"}));
}
