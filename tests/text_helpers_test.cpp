// Tests of the text helpers.
#include "print/text_helpers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(FindChar, FindsTheFirstOccurrence) {
    const char* text = "a(b(c";
    EXPECT_EQ(FindChar(text, '('), text + 1);
    EXPECT_EQ(FindChar(text, 'c'), text + 4);
    EXPECT_EQ(FindChar(text, 'x'), nullptr);
}

TEST(FindChar, NeverFindsTheTerminator) {
    EXPECT_EQ(FindChar("abc", '\0'), nullptr);
    EXPECT_EQ(FindChar("", '\0'), nullptr);
}

TEST(FindText, FindsAnywhereCaseSensitively) {
    const char* text = "x = y; /* note */";
    EXPECT_EQ(FindText(text, "/*"), text + 7);
    EXPECT_STREQ(FindText("SUBUNIT", "UNIT"), "UNIT");
    EXPECT_EQ(FindText("procedure", "PROCEDURE"), nullptr);
    EXPECT_EQ(FindText("ab", "abc"), nullptr);
}

TEST(FindText, AnEmptyNeedleIsNeverFound) {
    EXPECT_EQ(FindText("abc", ""), nullptr);
    EXPECT_EQ(FindText("", ""), nullptr);
}

TEST(CopyOver, CopiesWithoutTerminatorWithinRoom) {
    char buffer[8];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(CopyOver(buffer, sizeof buffer, "abc"), 3u);
    EXPECT_EQ(std::string(buffer, 8), "abc#####");

    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(CopyOver(buffer, 4, "abcdefgh"), 4u);
    EXPECT_EQ(std::string(buffer, 8), "abcd####");
}

TEST(CopyAtMost, TerminatesOnlyWhenTheSourceEndsFirst) {
    char buffer[8];
    std::memset(buffer, '#', sizeof buffer);
    CopyAtMost(buffer, "abcdef", 4);
    EXPECT_EQ(std::string(buffer, 8), "abcd####");

    std::memset(buffer, '#', sizeof buffer);
    CopyAtMost(buffer, "ab", 4);
    EXPECT_EQ(std::string(buffer, 8), std::string("ab\0#####", 8));

    std::memset(buffer, '#', sizeof buffer);
    CopyAtMost(buffer, "abcd", 4);
    EXPECT_EQ(std::string(buffer, 8), "abcd####");
}

TEST(LastPathComponent, TakesThePartAfterTheLastSeparator) {
    char out[64];
    LastPathComponent(out, sizeof out, "C:\\Work\\Src\\main.c");
    EXPECT_STREQ(out, "main.c");
    LastPathComponent(out, sizeof out, "C:notes.txt");
    EXPECT_STREQ(out, "notes.txt");
    LastPathComponent(out, sizeof out, "/home/user/a.txt");
    EXPECT_STREQ(out, "a.txt");
    LastPathComponent(out, sizeof out, "dir/sub\\x:y");
    EXPECT_STREQ(out, "y");
}

TEST(LastPathComponent, WithoutSeparatorTheWholePath) {
    char out[64];
    LastPathComponent(out, sizeof out, "readme");
    EXPECT_STREQ(out, "readme");
    LastPathComponent(out, sizeof out, "");
    EXPECT_STREQ(out, "");
}

TEST(LastPathComponent, ASeparatorInFirstPositionStaysWithTheCopy) {
    char out[64];
    LastPathComponent(out, sizeof out, "\\file.txt");
    EXPECT_STREQ(out, "\\file.txt");
    LastPathComponent(out, sizeof out, "/");
    EXPECT_STREQ(out, "/");
}

TEST(LastPathComponent, CutsToTheBufferAndAlwaysTerminates) {
    char out[6];
    std::memset(out, '#', sizeof out);
    LastPathComponent(out, sizeof out, "C:\\a_very_long_name.txt");
    EXPECT_STREQ(out, "a_ver");
    char one[1] = {'#'};
    LastPathComponent(one, 1, "C:\\abc");
    EXPECT_EQ(one[0], '\0');
    char none[1] = {'#'};
    LastPathComponent(none, 0, "C:\\abc");
    EXPECT_EQ(none[0], '#');
}

TEST(Uppercase, OnlyAsciiLettersChange) {
    char text[] = "procedure Foo(x: Integer); {\xe4\xf6}";
    UppercaseInPlace(text);
    EXPECT_STREQ(text, "PROCEDURE FOO(X: INTEGER); {\xe4\xf6}");

    char copy[64];
    std::memset(copy, '#', sizeof copy);
    UppercaseCopy(copy, "az AZ 09 `{@[");
    EXPECT_STREQ(copy, "AZ AZ 09 `{@[");
    EXPECT_EQ(copy[13], '\0');
    EXPECT_EQ(copy[14], '#');

    char empty[2] = {'#', '#'};
    UppercaseCopy(empty, "");
    EXPECT_EQ(empty[0], '\0');
    EXPECT_EQ(empty[1], '#');
}

TEST(CopyBounded, AlwaysTerminatesWithinTheBuffer) {
    char buffer[6];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(CopyBounded(buffer, sizeof buffer, "abcdefgh"), 5u);
    EXPECT_STREQ(buffer, "abcde");
    EXPECT_EQ(CopyBounded(buffer, sizeof buffer, "ab"), 2u);
    EXPECT_STREQ(buffer, "ab");
    buffer[0] = '#';
    EXPECT_EQ(CopyBounded(buffer, 0, "ab"), 0u);
    EXPECT_EQ(buffer[0], '#');
}

TEST(TrimBlanks, KeepsWhatLiesBetweenLeadingAndTrailingBlanks) {
    struct Case {
        const char* text;
        std::size_t first;
        std::size_t end;
    };
    const Case cases[] = {
        {"", 0, 0}, {"   ", 3, 3}, {"ab", 0, 2}, {"  a b  ", 2, 5}, {"\tx ", 0, 2},
    };
    for (const Case& c : cases) {
        BlankTrim trim = TrimBlanks(c.text, std::strlen(c.text));
        EXPECT_EQ(trim.first, c.first) << '"' << c.text << '"';
        EXPECT_EQ(trim.end, c.end) << '"' << c.text << '"';
    }
}
