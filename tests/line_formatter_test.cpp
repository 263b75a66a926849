// Tests of the line formatter: margins, line numbers, wrapping, page ends and form feeds.
#include "print/line_formatter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/print_rig.h"

using Rows = std::vector<std::string>;

TEST(LineFormatter, TheMarginAndTheFirstLine) {
    PrintRig rig;
    rig.settings.LeftMargin = 1.0f;  // 5 columns
    rig.settings.PageNumbers = false;
    ASSERT_EQ(rig.Print("first\n\nthird"), 1);
    EXPECT_EQ(DrawnRows(rig.recorder, 0), (Rows{"0:      first", "1:", "2:      third"}));
    EXPECT_EQ(rig.Print("x\n"), 1);
    EXPECT_EQ(std::string(rig.recorder.Pages()[1].rows[0].text), "     x")
        << "the margin is drawn as leading blanks from column 0";
}

TEST(LineFormatter, LineNumbersShowFourDigitsOnEveryPiece) {
    PrintRig rig;
    rig.NoMargins();
    rig.settings.LineNumbers = true;  // 5 columns of margin, 35 of text
    ASSERT_EQ(rig.Print("a\n\n" + std::string(36, 'w') + "\n"), 1);
    EXPECT_EQ(DrawnRows(rig.recorder, 0),
              (Rows{"0: 0001 a", "1: 0002", "2: 0003 " + std::string(35, 'w'), "3: 0003 w",
                    "11: " + std::string(13, ' ') + "file.txt" + std::string(12, ' ') + "1"}));
}

TEST(LineFormatter, OnlyTheFirstFourDigitsShow) {
    PrintRig rig;
    rig.NoMargins();
    rig.settings.LineNumbers = true;
    rig.settings.PageNumbers = false;
    rig.Apply();
    // Lines 10000 and 12345 are reached by reading that many lines.
    std::string text;
    for (int i = 1; i <= 12345; ++i) {
        text += "x\n";
    }
    ASSERT_EQ(rig.Print(text), 1);
    // 12 lines a page: line n lies on page (n - 1) / 12, row (n - 1) % 12.
    EXPECT_EQ(RowText(rig.recorder, 9999 / 12, 9999 % 12), "1000 x");
    EXPECT_EQ(RowText(rig.recorder, 12344 / 12, 12344 % 12), "1234 x");
    EXPECT_EQ(RowText(rig.recorder, 0, 6), "0007 x");
}

TEST(LineFormatter, ExactWidthIsOnePieceOneMoreIsTwo) {
    PrintRig rig;
    rig.NoMargins();
    ASSERT_EQ(rig.Print(std::string(40, 'a') + "\n" + std::string(41, 'b') + "\n"), 1);
    EXPECT_EQ(RowText(rig.recorder, 0, 0), std::string(40, 'a'));
    EXPECT_EQ(RowText(rig.recorder, 0, 1), std::string(40, 'b'));
    EXPECT_EQ(RowText(rig.recorder, 0, 2), "b");
    EXPECT_EQ(RowText(rig.recorder, 0, 3), "");
}

TEST(LineFormatter, LongLinesContinueAsTheNextLine) {
    PrintRig rig;
    rig.NoMargins();
    rig.settings.LineNumbers = true;
    rig.settings.PageNumbers = false;
    std::string line = std::string(254, 'a') + std::string(46, 'b');
    ASSERT_EQ(rig.Print(line + "\nz\n"), 1);
    // 254 characters in pieces of 35: 8 rows, then the 46 in 2 rows, numbered 0002.
    EXPECT_EQ(RowText(rig.recorder, 0, 7), "0001 " + std::string(9, 'a'));
    EXPECT_EQ(RowText(rig.recorder, 0, 8), "0002 " + std::string(35, 'b'));
    EXPECT_EQ(RowText(rig.recorder, 0, 9), "0002 " + std::string(11, 'b'));
    EXPECT_EQ(RowText(rig.recorder, 0, 10), "0003 z");
}

TEST(LineFormatter, TheFirstTextLineLiesAtTheTopMargin) {
    PrintRig rig;
    rig.NoMargins();
    rig.settings.TopMargin = 1.0f;  // 3 lines
    rig.settings.PageNumbers = false;
    std::string text;
    for (int i = 1; i <= 10; ++i) {
        text += "line " + std::to_string(i) + "\n";
    }
    ASSERT_EQ(rig.Print(text), 1);
    // 12 lines, 3 of top margin: lines 3 to 11 hold text, 9 a page.
    EXPECT_EQ(DrawnRows(rig.recorder, 0).front(), "3: line 1");
    EXPECT_EQ(DrawnRows(rig.recorder, 0).back(), "11: line 9");
    EXPECT_EQ(DrawnRows(rig.recorder, 1), (Rows{"3: line 10"}));
}

TEST(LineFormatter, AWrapAcrossAPageEndStartsBelowTheTopMargin) {
    PrintRig rig;
    rig.NoMargins();
    rig.settings.TopMargin = 1.0f;
    rig.settings.PageNumbers = false;
    std::string text(8, '\n');
    text += std::string(100, 'x') + "\n";
    ASSERT_EQ(rig.Print(text), 1);
    // Rows 3 to 10 hold the empty lines, row 11 the first piece; the rest goes to row 3.
    EXPECT_EQ(RowText(rig.recorder, 0, 11), std::string(40, 'x'));
    EXPECT_EQ(DrawnRows(rig.recorder, 1),
              (Rows{"3: " + std::string(40, 'x'), "4: " + std::string(20, 'x')}));
}

TEST(LineFormatter, ThePieceAfterAFullPageStartsTheNextPage) {
    // Twelve text lines a page: a line of two pieces that starts on row 10 fills the page,
    // one that starts on row 11 puts its second piece on a page of its own.
    for (int before : {10, 11}) {
        PrintRig rig;
        rig.NoMargins();
        rig.settings.PageNumbers = false;
        ASSERT_EQ(rig.Print(std::string(before, '\n') + std::string(80, 'x') + "\n"), 1);
        EXPECT_EQ(rig.recorder.PagesStarted(), before == 10 ? 1 : 2) << before;
        EXPECT_EQ(rig.recorder.StrayTexts(), 0);
    }

    PrintRig rig;
    rig.NoMargins();
    rig.settings.SingleSheets = true;  // 5 text lines a page
    rig.settings.LineNumbers = true;
    rig.host.CancelAtPause(1);
    ASSERT_EQ(rig.Print("a\nb\nc\nd\n" + std::string(70, 'x') + "\ne\n"), 1);
    // The second piece of line 5 was to start page 2: Cancel there starts no page.
    EXPECT_EQ(rig.recorder.PagesStarted(), 1);
    EXPECT_EQ(rig.recorder.Pauses(), 1);
    EXPECT_EQ(rig.job.Formatter().LineNumber(), 5) << "the cut line is not counted";
}

TEST(LineFormatter, FormFeedsEndThePageWhenHonoured) {
    PrintRig rig;
    rig.NoMargins();
    rig.settings.PageNumbers = false;
    rig.settings.FormFeed = true;
    ASSERT_EQ(rig.Print("one\n\fchapter\n" + std::string(45, 'w') + "\f\nend\n"), 1);
    ASSERT_EQ(rig.recorder.Pages().size(), 4u);
    EXPECT_EQ(DrawnRows(rig.recorder, 0), (Rows{"0: one", "1: \fchapter"}))
        << "the form feed is drawn like any character";
    EXPECT_EQ(DrawnRows(rig.recorder, 1), (Rows{"0: " + std::string(40, 'w')}));
    EXPECT_EQ(DrawnRows(rig.recorder, 2), (Rows{"0: wwwww\f"})) << "each piece ends a page";
    EXPECT_EQ(DrawnRows(rig.recorder, 3), (Rows{"0: end"}));
}

TEST(LineFormatter, FormFeedsAreIgnoredByDefault) {
    PrintRig rig;
    rig.NoMargins();
    rig.settings.PageNumbers = false;
    ASSERT_EQ(rig.Print("one\n\ftwo\n"), 1);
    ASSERT_EQ(rig.recorder.Pages().size(), 1u);
    EXPECT_EQ(DrawnRows(rig.recorder, 0), (Rows{"0: one", "1: \ftwo"}));
}

TEST(HasFormFeed, FindsCode12Anywhere) {
    EXPECT_TRUE(HasFormFeed("\f"));
    EXPECT_TRUE(HasFormFeed("abc\fdef"));
    EXPECT_FALSE(HasFormFeed("abc"));
    EXPECT_FALSE(HasFormFeed(""));
}
