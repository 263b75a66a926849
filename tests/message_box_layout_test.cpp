// The message box's and the about box's decisions: lines, icon, panel, sizes, answer
// buttons, the default button and the keys on the answer buttons.
#include "ui/message_box_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
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

namespace {

// A font whose characters are `width` pixels wide each, a UTF-8 character counting once.
MeasureTextPiece FixedPitch(int width) {
    return [width](const char* start, std::size_t length) {
        int characters = 0;
        for (std::size_t i = 0; i < length; ++i) {
            if ((static_cast<unsigned char>(start[i]) & 0xC0) != 0x80) {
                ++characters;
            }
        }
        return characters * width;
    };
}

// A path of exactly `length` characters: C:\, directories of 19 letters each followed by a
// backslash, one shorter directory to make up the length, then the name.
std::string LongPath(std::size_t length, const std::string& name) {
    std::string path = "C:\\";
    while (path.size() + 20 + 2 + name.size() <= length) {
        path += std::string(19, static_cast<char>('a' + path.size() % 26)) + "\\";
    }
    path += std::string(length - path.size() - name.size() - 1, 'z') + "\\";
    return path + name;
}

}  // namespace

TEST(MessageBoxWrap, A256CharacterPathFitsTheWorkAreaWithTheNameWhole) {
    // The display font of the test machine: 7 pixels a character, widest 14, lines of 16.
    const std::string name = "quarterly-report-final.txt";
    const std::string path = LongPath(256, name);
    ASSERT_EQ(path.size(), 256u);
    const std::string question = "OK to delete?\n" + path;
    const MeasureTextPiece measure = FixedPitch(7);
    BoxText text = Measures(14, 16, 2, 256 * 7);
    const std::uint32_t flags = box_flags::kYesNo | box_flags::kIconQuestion;

    // Unwrapped the box is wider than the screen.
    BoxSize unwrapped = PlainBoxSize(ComputePanel(text, true, flags), text);
    EXPECT_EQ(unwrapped.width, 256 * 7 + 4 * 14 + 64 + 16);

    for (int workArea : {1280, 1024, 800, 640, 400}) {
        int maxWidth = MaxBoxTextWidth(workArea, text, true);
        std::string wrapped = WrapWideLines(question.c_str(), maxWidth, measure);
        LineList lines = Lines(wrapped.c_str());
        ASSERT_GE(lines.size(), 3u) << workArea;
        EXPECT_EQ(lines[0], "OK to delete?");
        std::string joined;
        int widest = 0;
        for (std::size_t i = 1; i < lines.size(); ++i) {
            joined += lines[i];
            widest = std::max(widest, measure(lines[i].c_str(), lines[i].size()));
            if (i + 1 < lines.size()) {
                EXPECT_EQ(lines[i].back(), '\\') << "cut after a backslash: " << lines[i];
            }
        }
        EXPECT_EQ(joined, path) << "nothing lost or added";
        EXPECT_EQ(lines.back().substr(lines.back().size() - name.size()), name)
            << "the name's line holds the whole name";
        BoxText shown = text;
        shown.lineCount = CountTextLines(wrapped.c_str());
        shown.textWidth = widest;
        BoxSize size = PlainBoxSize(ComputePanel(shown, true, flags), shown);
        EXPECT_LE(size.width, workArea) << workArea;
        EXPECT_GT(size.height, unwrapped.height) << "the box grows in height";
        EXPECT_EQ(size.height, (shown.lineCount + 6) * 16);
    }
}

TEST(MessageBoxWrap, CutsAtTheLastBackslashThatFits) {
    const MeasureTextPiece measure = FixedPitch(1);
    struct Case {
        const char* text;
        int maxWidth;
        const char* wrapped;
    };
    const Case cases[] = {
        {"C:\\ab\\cd\\ef.txt", 20, "C:\\ab\\cd\\ef.txt"},  // fits: unchanged
        {"C:\\ab\\cd\\ef.txt", 15, "C:\\ab\\cd\\ef.txt"},
        {"C:\\ab\\cd\\ef.txt", 14, "C:\\ab\\cd\\\nef.txt"},
        {"C:\\ab\\cd\\ef.txt", 13, "C:\\ab\\cd\\\nef.txt"},
        {"C:\\ab\\cd\\ef.txt", 8, "C:\\ab\\\ncd\\\nef.txt"},
        {"C:\\ab\\cd\\ef.txt", 6, "C:\\ab\\\ncd\\\nef.txt"},
        // A part wider than a line is cut between characters.
        {"C:\\ab\\cd\\ef.txt", 4, "C:\\\nab\\\ncd\\\nef.t\nxt"},
        {"C:\\ab\\cd\\ef.txt", 1, "C\n:\n\\\na\nb\n\\\nc\nd\n\\\ne\nf\n.\nt\nx\nt"},
        {"C:\\ab\\cd\\ef.txt", 0, "C\n:\n\\\na\nb\n\\\nc\nd\n\\\ne\nf\n.\nt\nx\nt"},
        // Only the lines that do not fit; line feeds, empty lines and a final one kept.
        {"OK to delete?\nC:\\ab\\cd\\ef.txt", 13, "OK to delete?\nC:\\ab\\cd\\\nef.txt"},
        {"short\n\nC:\\ab\\cd\n", 6, "short\n\nC:\\ab\\\ncd\n"},
        {"no backslash here", 8, "no backs\nlash her\ne"},
        {"", 5, ""},
        {"\\\\\\\\\\\\", 3, "\\\\\\\n\\\\\\"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WrapWideLines(c.text, c.maxWidth, measure), c.wrapped)
            << c.text << " at " << c.maxWidth;
    }
    EXPECT_EQ(WrapWideLines(nullptr, 5, measure), "");
}

TEST(MessageBoxWrap, CutsOnlyBetweenWholeUtf8Characters) {
    const MeasureTextPiece measure = FixedPitch(10);
    // "日本語" and "é" are three and two bytes a character.
    struct Case {
        const char* text;
        int maxWidth;
        const char* wrapped;
    };
    const Case cases[] = {
        {"C:\\\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e\\caf\xc3\xa9.txt", 50,
         "C:\\\n\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e\\\ncaf\xc3\xa9.\ntxt"},
        {"C:\\\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e\\caf\xc3\xa9.txt", 80,
         "C:\\\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e\\\ncaf\xc3\xa9.txt"},
        {"\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e", 25, "\xe6\x97\xa5\xe6\x9c\xac\n\xe8\xaa\x9e"},
        {"\xc3\xa9\xc3\xa9\xc3\xa9", 15, "\xc3\xa9\n\xc3\xa9\n\xc3\xa9"},
    };
    for (const Case& c : cases) {
        std::string wrapped = WrapWideLines(c.text, c.maxWidth, measure);
        EXPECT_EQ(wrapped, c.wrapped) << c.text << " at " << c.maxWidth;
        for (const std::string& line : Lines(wrapped.c_str())) {
            ASSERT_FALSE(line.empty());
            EXPECT_NE(static_cast<unsigned char>(line[0]) & 0xC0, 0x80u)
                << "a line starts inside a character";
        }
    }
    // Bytes that start no sequence are characters of their own, as a lead byte whose
    // sequence breaks off is.
    const MeasureTextPiece bytes = [](const char*, std::size_t length) {
        return static_cast<int>(length) * 10;
    };
    EXPECT_EQ(WrapWideLines("\x80\x80\x80", 10, bytes), "\x80\n\x80\n\x80");
    EXPECT_EQ(WrapWideLines("\xe6\x97"
                            "a\xc3\xa9",
                            20, bytes),
              "\xe6\x97\na\n\xc3\xa9");
}

TEST(MessageBoxWrap, TheWidestLineLeavesRoomForTheSidesAndMargin) {
    BoxText text = Measures(14, 16, 2, 0);
    EXPECT_EQ(MaxBoxTextWidth(1280, text, true), 1280 - 56 - 64 - 16);
    EXPECT_EQ(MaxBoxTextWidth(1280, text, false), 1280 - 56 - 8 - 16);
    text.dpi = 192;
    text.maxCharWidth = 28;
    EXPECT_EQ(MaxBoxTextWidth(2560, text, true), 2560 - 112 - 128 - 32);
    EXPECT_EQ(MaxBoxTextWidth(10, text, true), 1) << "never below one pixel";
    EXPECT_EQ(MaxBoxTextWidth(1 << 30, text, true), kMaxBoxExtent);
    // The widest line that fits gives a box exactly as wide as the work area.
    text = Measures(14, 16, 2, MaxBoxTextWidth(1280, Measures(14, 16, 2, 0), true));
    EXPECT_EQ(PlainBoxSize(ComputePanel(text, true, box_flags::kYesNo), text).width, 1280);
}
