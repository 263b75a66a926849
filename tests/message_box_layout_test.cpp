// The message box's and the about box's decisions: lines, icon, panel, sizes, answer
// buttons, the default button and the keys on the answer buttons.
#include "ui/message_box_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Lines(const char* text) {
    std::vector<std::string> lines;
    TextLines walker(text);
    TextLine line;
    while (walker.Next(&line)) {
        lines.emplace_back(line.start, line.length);
    }
    return lines;
}

using LineList = std::vector<std::string>;

BoxText Measures(int maxCharWidth, int lineHeight, int lineCount, int textWidth) {
    BoxText text;
    text.maxCharWidth = maxCharWidth;
    text.lineHeight = lineHeight;
    text.lineCount = lineCount;
    text.textWidth = textWidth;
    return text;
}

}  // namespace

TEST(MessageBoxLines, CutAtEachLineFeedWithoutATrailingEmptyLine) {
    EXPECT_EQ(Lines(""), LineList{});
    EXPECT_EQ(Lines("a\n"), LineList{"a"});
    EXPECT_EQ(Lines("a\nb"), (LineList{"a", "b"}));
    EXPECT_EQ(Lines("a\n\nb\n"), (LineList{"a", "", "b"}));
    EXPECT_EQ(Lines("\n"), LineList{""});
    EXPECT_EQ(Lines("OK to delete?\nC:\\dir\\file.txt"),
              (LineList{"OK to delete?", "C:\\dir\\file.txt"}));
    EXPECT_EQ(CountTextLines("Quillmar Ver 2.07\nsecond\n"), 2);
    EXPECT_EQ(CountTextLines(nullptr), 0);
}

TEST(MessageBoxIcon, FromTheIconBitsElseTheProgramsIcon) {
    EXPECT_EQ(ChooseBoxIcon(box_flags::kIconHand, 104), BoxIcon::kHand);
    EXPECT_EQ(ChooseBoxIcon(box_flags::kYesNo | box_flags::kIconQuestion, 0), BoxIcon::kQuestion);
    EXPECT_EQ(ChooseBoxIcon(box_flags::kIconExclamation, 0), BoxIcon::kExclamation);
    EXPECT_EQ(ChooseBoxIcon(box_flags::kIconAsterisk, 0), BoxIcon::kAsterisk);
    EXPECT_EQ(ChooseBoxIcon(0, 104), BoxIcon::kProgram);
    EXPECT_EQ(ChooseBoxIcon(0, 0), BoxIcon::kNone);
    EXPECT_EQ(ChooseBoxIcon(0x50, 0), BoxIcon::kNone) << "an unknown icon value";
}

TEST(MessageBoxPanel, SidesFromTheIconTextAndButtonSet) {
    struct Case {
        const char* what;
        BoxText text;
        bool hasIcon;
        std::uint32_t flags;
        int left, top, right, bottom;
    };
    const Case cases[] = {
        {"icon: 64 at the left", Measures(10, 16, 2, 200), true, box_flags::kOk, 64, 16, 304, 56},
        {"no icon: 8 at the left", Measures(10, 16, 2, 200), false, box_flags::kOk, 8, 16, 248, 56},
        {"Yes/No needs 10 line heights", Measures(10, 16, 1, 20), true, box_flags::kYesNo, 64, 16,
         160, 40},
        {"Ok/Cancel needs 10", Measures(10, 16, 1, 20), false, box_flags::kOkCancel, 8, 16, 160,
         40},
        {"Yes/No/Cancel needs 13", Measures(10, 16, 1, 20), false, box_flags::kYesNoCancel, 8, 16,
         208, 40},
        {"Retry/Cancel needs nothing", Measures(10, 16, 1, 20), false, box_flags::kRetryCancel, 8,
         16, 68, 40},
        {"empty text", Measures(10, 16, 0, 0), false, box_flags::kOk, 8, 16, 48, 24},
        {"huge text is limited", Measures(10, 16, 1000000, 2000000000), true, box_flags::kOk, 64,
         16, kMaxBoxExtent, kMaxBoxExtent},
    };
    for (const Case& c : cases) {
        BoxPanel panel = ComputePanel(c.text, c.hasIcon, c.flags);
        EXPECT_EQ(panel.left, c.left) << c.what;
        EXPECT_EQ(panel.top, c.top) << c.what;
        EXPECT_EQ(panel.right, c.right) << c.what;
        EXPECT_EQ(panel.bottom, c.bottom) << c.what;
    }
    EXPECT_EQ(WidenedTextWidth(100, 300, false), 300) << "a wider caption widens a box";
    EXPECT_EQ(WidenedTextWidth(100, 300, true), 100) << "not when the box has an icon";
    EXPECT_EQ(WidenedTextWidth(100, 50, false), 100);
}

TEST(MessageBoxSize, PlainAndAboutBoxes) {
    BoxText text = Measures(10, 16, 2, 200);
    BoxPanel panel = ComputePanel(text, true, box_flags::kYesNo);
    BoxSize plain = PlainBoxSize(panel, text);
    EXPECT_EQ(plain.width, 304 + 16);
    EXPECT_EQ(plain.height, 8 * 16);

    BoxSize about = AboutBoxSize(text, true);
    EXPECT_EQ(about.width, 240);
    EXPECT_EQ(about.height, 12 * 16);
    EXPECT_EQ(AboutBoxSize(text, false).height, about.height - 2 * 16)
        << "a box without a link line is two line heights lower";

    BoxText huge = Measures(1000, 1000, 1 << 30, 1 << 30);
    EXPECT_EQ(AboutBoxSize(huge, true).width, kMaxBoxExtent);
    EXPECT_EQ(AboutBoxSize(huge, true).height, kMaxBoxExtent);
    EXPECT_EQ(PlainBoxSize(ComputePanel(huge, false, 0), huge).height, kMaxBoxExtent);

    BoxPoint start = PlainBoxStart(601, 401, plain);
    EXPECT_EQ(start.x, 300 - 160);
    EXPECT_EQ(start.y, 200 - 64);
    BoxPoint aboutStart = AboutBoxStart(601, 401);
    EXPECT_EQ(aboutStart.x, 300);
    EXPECT_EQ(aboutStart.y, 200);
}

TEST(MessageBoxButtons, EveryButtonSet) {
    struct Expected {
        std::string text;
        int result;
        int x;
    };
    struct Case {
        std::uint32_t flags;
        std::vector<Expected> buttons;
    };
    // Client area 301 wide (c = 150), 200 high, line height 16: buttons at y = 168.
    const Case cases[] = {
        {box_flags::kOk, {{"&Ok", box_answer::kOk, 120}}},
        {box_flags::kOkCancel,
         {{"&Ok", box_answer::kOk, 80}, {"&Cancel", box_answer::kCancel, 160}}},
        {box_flags::kAbortRetryIgnore, {{"&Ok", box_answer::kOk, 120}}},
        {box_flags::kYesNoCancel,
         {{"&Yes", box_answer::kYes, 50},
          {"&No", box_answer::kNo, 120},
          {"&Cancel", box_answer::kCancel, 190}}},
        {box_flags::kYesNo | box_flags::kIconQuestion | box_flags::kDefaultButton2,
         {{"&Yes", box_answer::kYes, 80}, {"&No", box_answer::kNo, 160}}},
        {box_flags::kRetryCancel, {{"&Ok", box_answer::kOk, 120}}},
        {0x6, {{"&Ok", box_answer::kOk, 120}}},
        {0xF, {{"&Ok", box_answer::kOk, 120}}},
    };
    for (const Case& c : cases) {
        AnswerButtonSet set = PlainAnswerButtons(c.flags, 301, 200, 16);
        ASSERT_EQ(set.count, static_cast<int>(c.buttons.size())) << "flags " << c.flags;
        for (int i = 0; i < set.count; ++i) {
            EXPECT_EQ(set.buttons[i].text, c.buttons[i].text) << "flags " << c.flags;
            EXPECT_EQ(set.buttons[i].result, c.buttons[i].result) << "flags " << c.flags;
            EXPECT_EQ(set.buttons[i].x, c.buttons[i].x) << "flags " << c.flags;
            EXPECT_EQ(set.buttons[i].y, 168) << "flags " << c.flags;
        }
    }
    AnswerButtonSet about = AboutAnswerButtons(301, 200, 16);
    ASSERT_EQ(about.count, 1);
    EXPECT_STREQ(about.buttons[0].text, "&Ok");
    EXPECT_EQ(about.buttons[0].result, box_answer::kOk);
    EXPECT_EQ(about.buttons[0].x, 120);
    EXPECT_EQ(about.buttons[0].y, 200 - 48);
}

TEST(MessageBoxButtons, DefaultButton) {
    struct Case {
        std::uint32_t flags;
        int count;
        int index;
    };
    const Case cases[] = {
        {0, 3, 0},
        {box_flags::kDefaultButton2, 2, 1},
        {box_flags::kDefaultButton3, 3, 2},
        {box_flags::kDefaultButton3, 2, 0},  // a button the box does not have: the first
        {box_flags::kDefaultButton2, 1, 0},
        {0x300, 3, 0},  // a fourth button is never there
        {box_flags::kYesNo | box_flags::kIconQuestion | box_flags::kDefaultButton2, 2, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DefaultButtonIndex(c.flags, c.count), c.index)
            << "flags " << c.flags << ", " << c.count << " buttons";
    }
}

TEST(MessageBoxKeys, MoveBetweenAndPressTheAnswerButtons) {
    struct Case {
        const char* what;
        unsigned key;
        int current;
        int count;
        const char* mnemonics;
        int newCurrent;
        bool moveFocus;
        int press;
    };
    const Case cases[] = {
        {"Tab to the next", box_key::kTab, 0, 3, "YNC", 1, true, -1},
        {"Right on the last wraps to the first", box_key::kRight, 2, 3, "YNC", 0, true, -1},
        {"Left on the first wraps to the last", box_key::kLeft, 0, 3, "YNC", 2, true, -1},
        {"Left to the previous", box_key::kLeft, 1, 2, "YN", 0, true, -1},
        {"Tab with one button stays", box_key::kTab, 0, 1, "O", 0, true, -1},
        {"Return presses the current", box_key::kReturn, 1, 2, "YN", 1, false, 1},
        {"a letter presses its button and keeps the focus", 'Y', 1, 2, "YN", 1, false, 0},
        {"N", 'N', 0, 2, "YN", 0, false, 1},
        {"a letter of no button does nothing", 'X', 0, 2, "YN", 0, false, -1},
        {"Cancel's letter", 'C', 0, 3, "YNC", 0, false, 2},
        {"a lower-case mnemonic answers its letter key", 'O', 0, 1, "o", 0, false, 0},
        {"no mnemonic matches no key", 0, 0, 1, "\0", 0, false, -1},
        {"the numeric-pad key whose code is 'n' is no letter", 0x6E, 0, 2, "YN", 0, false, -1},
        {"Escape means nothing", 0x1B, 1, 2, "YN", 1, false, -1},
        {"only the box's buttons count", 'C', 0, 2, "YNC", 0, false, -1},
    };
    for (const Case& c : cases) {
        ButtonKeyOutcome outcome = ButtonKeyMove(c.key, c.current, c.count, c.mnemonics);
        EXPECT_EQ(outcome.current, c.newCurrent) << c.what;
        EXPECT_EQ(outcome.moveFocus, c.moveFocus) << c.what;
        EXPECT_EQ(outcome.press, c.press) << c.what;
    }
}

TEST(AboutBox, LinkLineBelowTheTextCentred) {
    BoxText text = Measures(10, 16, 2, 200);
    // Text from y = 2 * 16 + 32 = 64, two lines, one empty line: the link at 64 + 32 + 16.
    LinkRect rect = AboutLinkRect(241, text, 101, 20);
    EXPECT_EQ(rect.left, 70);
    EXPECT_EQ(rect.top, 112);
    EXPECT_EQ(rect.right, 171);
    EXPECT_EQ(rect.bottom, 132);
    EXPECT_EQ(AboutTextTop(16), 64);
}

TEST(MessageBoxAtResolution, FixedMeasuresGrowWithTheTextsResolution) {
    // The same box measured at 96 and at 192 DPI, where the font is twice as large.
    BoxText at96 = Measures(18, 16, 2, 190);
    BoxText at192 = Measures(36, 32, 2, 380);
    at192.dpi = 192;
    const std::uint32_t flags = box_flags::kYesNo | box_flags::kIconQuestion;

    BoxPanel small = ComputePanel(at96, true, flags);
    BoxPanel large = ComputePanel(at192, true, flags);
    EXPECT_EQ(small.left, 64);
    EXPECT_EQ(large.left, 128);
    EXPECT_EQ(large.right, 2 * small.right);
    EXPECT_EQ(large.top, 2 * small.top);
    EXPECT_EQ(large.bottom, 2 * small.bottom);
    EXPECT_EQ(ComputePanel(at192, false, 0).left, 16);

    BoxSize smallBox = PlainBoxSize(small, at96);
    BoxSize largeBox = PlainBoxSize(large, at192);
    EXPECT_EQ(largeBox.width, 2 * smallBox.width);
    EXPECT_EQ(largeBox.height, 2 * smallBox.height);

    EXPECT_EQ(AnswerButtonWidth(96), kAnswerButtonWidth);
    EXPECT_EQ(AnswerButtonHeight(96), kAnswerButtonHeight);
    EXPECT_EQ(AnswerButtonWidth(192), 120);
    EXPECT_EQ(AnswerButtonHeight(192), 60);
    EXPECT_EQ(AnswerButtonWidth(144), 90);

    AnswerButtonSet three = PlainAnswerButtons(box_flags::kYesNoCancel, 602, 400, 32, 192);
    ASSERT_EQ(three.count, 3);
    EXPECT_EQ(three.buttons[0].x, 301 - 200);
    EXPECT_EQ(three.buttons[1].x, 301 - 60);
    EXPECT_EQ(three.buttons[2].x, 301 + 80);
    EXPECT_EQ(three.buttons[0].y, 400 - 64);
    // Buttons never overlap at any resolution.
    for (int dpi : {96, 120, 144, 192, 288}) {
        AnswerButtonSet set = PlainAnswerButtons(box_flags::kYesNoCancel, 1000, 400, 32, dpi);
        for (int i = 1; i < set.count; ++i) {
            EXPECT_GE(set.buttons[i].x, set.buttons[i - 1].x + AnswerButtonWidth(dpi)) << dpi;
        }
    }

    AnswerButtonSet about = AboutAnswerButtons(602, 400, 32, 192);
    EXPECT_EQ(about.buttons[0].x, 301 - 60);
    EXPECT_EQ(AboutTextTop(32, 192), 2 * AboutTextTop(16));
    LinkRect link = AboutLinkRect(800, at192, 300, 40);
    EXPECT_EQ(link.top, AboutTextTop(32, 192) + 3 * 32);
}
