// Tests of the order of the file list's rows.
#include "browser/entry_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

TEST(CompareEntryTexts, IgnoresTheCaseOfAsciiLetters) {
    EXPECT_EQ(CompareEntryTexts("Abc", "ABC.TXT"), 0);
    EXPECT_EQ(CompareEntryTexts("ABC.TXT", "Abc"), 0);
    EXPECT_EQ(CompareEntryTexts("notes.txt", "NOTES.TXT"), 0);
    EXPECT_EQ(CompareEntryTexts("abc.txt", "ABD"), -1);
    EXPECT_EQ(CompareEntryTexts("ABD", "abc.txt"), 1);
    // Only a to z fold: '_' (0x5F) stays between 'Z' (0x5A) and 'a' (0x61).
    EXPECT_EQ(CompareEntryTexts("a_", "AZ"), 1);
    EXPECT_EQ(CompareEntryTexts("\xe4", "\xc4"), 1);
}

TEST(CompareEntryTexts, HighBytesComeFirst) {
    EXPECT_EQ(CompareEntryTexts("\x80name", "  .. previous"), -1);
    EXPECT_EQ(CompareEntryTexts("\xff", " Src"), -1);
    EXPECT_EQ(CompareEntryTexts(" \xe9t\xe9", "  .. previous"), -1);
}

TEST(CompareEntryTexts, ParentThenDirectoriesThenFiles) {
    EXPECT_EQ(CompareEntryTexts("  .. previous", " !bang"), -1);
    EXPECT_EQ(CompareEntryTexts(" zeta", "!readme"), -1);
    EXPECT_EQ(CompareEntryTexts(" zeta", "Alpha"), -1);
}

TEST(EntryTextLess, AgreesWhereCompareDecides) {
    const char* texts[] = {"Abc", "ABC.TXT", "abc.txt", "ABD", " Src", "  .. previous", "\x80x"};
    for (const char* a : texts) {
        for (const char* b : texts) {
            int compared = CompareEntryTexts(a, b);
            if (compared != 0) {
                EXPECT_EQ(EntryTextLess(a, b), compared < 0) << a << " / " << b;
            }
        }
    }
}

TEST(EntryTextLess, OrdersPrefixesFirstSoSortingIsSound) {
    // CompareEntryTexts calls "ab" equal to "abc" and to "abd", which differ: no order to sort by.
    EXPECT_EQ(CompareEntryTexts("ab", "abc"), 0);
    EXPECT_EQ(CompareEntryTexts("ab", "abd"), 0);
    EXPECT_TRUE(EntryTextLess("ab", "ABC"));
    EXPECT_FALSE(EntryTextLess("ABC", "ab"));
    EXPECT_FALSE(EntryTextLess("abc", "ABC"));
    EXPECT_FALSE(EntryTextLess("ABC", "abc"));

    std::vector<std::string> texts = {"abd", "AB", "abc", "a", "ABCD", "b", "A"};
    std::sort(texts.begin(), texts.end(), [](const std::string& x, const std::string& y) {
        return EntryTextLess(x.c_str(), y.c_str());
    });
    ASSERT_EQ(texts.size(), 7u);
    EXPECT_EQ(texts[2], "AB");
    EXPECT_EQ(texts[3], "abc");
    EXPECT_EQ(texts[4], "ABCD");
    EXPECT_EQ(texts[5], "abd");
    EXPECT_EQ(texts[6], "b");
}
