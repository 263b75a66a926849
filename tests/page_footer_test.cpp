// Tests of the page footer line.
#include "print/page_footer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string Footer(const char* path, int width, long long page) {
    char out[kFooterSize];
    std::memset(out, '#', sizeof out);
    std::size_t length = BuildFooterLine(out, path, width, page);
    EXPECT_EQ(std::strlen(out), length);
    return out;
}

}  // namespace

TEST(PageFooter, PageTenOnSeventyColumns) {
    std::string line = Footer("C:\\Work\\notes.txt", 70, 10);
    EXPECT_EQ(line.size(), 69u);
    EXPECT_EQ(line.substr(67), "10");
    EXPECT_EQ(line.find("notes.txt"), static_cast<std::size_t>((70 - 9) / 2));
    EXPECT_EQ(line.find_first_not_of(' '), 30u);
}

TEST(PageFooter, TheNameIsTheLastPathComponentAtMost41Characters) {
    std::string longName(50, 'n');
    std::string line = Footer(("D:\\dir/" + longName).c_str(), 100, 1);
    EXPECT_NE(line.find(std::string(41, 'n') + ' '), std::string::npos);
    EXPECT_EQ(line.find(std::string(42, 'n')), std::string::npos);
    EXPECT_EQ(line.find(std::string(41, 'n')), static_cast<std::size_t>((100 - 41) / 2));

    std::string whole = Footer("readme", 20, 3);
    EXPECT_EQ(whole, "       readme     3");
}

TEST(PageFooter, WidthsAbove255CountAs255) {
    std::string line = Footer("a.txt", 400, 7);
    EXPECT_EQ(line.size(), 254u);
    EXPECT_EQ(line.back(), '7');
    EXPECT_EQ(line.find("a.txt"), static_cast<std::size_t>((255 - 5) / 2));
}

TEST(PageFooter, WhenBothDoNotFitTheNumberKeepsItsPlace) {
    // (10 - 20) / 2 would start the name before the line: it starts at 0 and is cut.
    EXPECT_EQ(Footer("abcdefghijklmnop.txt", 10, 1), "abcdefgh1");
    EXPECT_EQ(Footer("abcdefghijklmnop.txt", 10, 123), "abcdef123");
    // The number written over the name where they meet.
    EXPECT_EQ(Footer("abcdef", 12, 4567), "   abcd4567");
}

TEST(PageFooter, ANumberWiderThanTheLine) {
    EXPECT_EQ(Footer("x.c", 2, 12345), "12345");
    EXPECT_EQ(Footer("x.c", 1, 7), "7");
    EXPECT_EQ(Footer("x.c", 0, 7), "7");
    EXPECT_EQ(Footer("x.c", -40, 7), "7");
}

TEST(PageFooter, LargePageNumbers) {
    std::string line = Footer("f", 40, 9876543210LL);
    EXPECT_EQ(line.size(), 39u);
    EXPECT_EQ(line.substr(29), "9876543210");
}

TEST(PageFooter, TheNameIsCutAndPlacedByCells) {
    const std::string wide = "\xE6\x97\xA5";  // two cells
    // "日日日.txt" is 10 cells: on a width of 30 it starts at column 10.
    std::string line = Footer(("C:\\" + wide + wide + wide + ".txt").c_str(), 30, 2);
    EXPECT_EQ(line, std::string(10, ' ') + wide + wide + wide + ".txt" + std::string(8, ' ') + "2");
    // Cut at 41 cells, never inside a character: 20 wide ones and a blank is 40 cells and
    // the next would pass 41.
    std::string name;
    for (int i = 0; i < 30; ++i) {
        name += wide;
    }
    line = Footer(name.c_str(), 100, 1);
    EXPECT_EQ(line.find(name.substr(0, 60)), static_cast<std::size_t>((100 - 40) / 2));
    EXPECT_EQ(line.find(name.substr(0, 63)), std::string::npos);
    // The number covers the name where they meet, and a wide character half covered gives
    // way to a blank.
    EXPECT_EQ(Footer((wide + wide + wide).c_str(), 7, 7), wide + wide + " 7");
    // An invalid byte shows as U+FFFD.
    EXPECT_EQ(Footer("a\xFF.c", 12, 1), "    a\xEF\xBF\xBD.c  1");
}
