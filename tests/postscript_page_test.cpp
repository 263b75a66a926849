// Tests of PostScriptPage: page text as one self-contained block of PostScript.
#include "print/postscript_page.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "print/text_helpers.h"

namespace {

PostScriptFont Font(const char* name, const char* fallback, int ascent = 47) {
    PostScriptFont font;
    CopyBounded(font.name, sizeof font.name, name);
    CopyBounded(font.fallback, sizeof font.fallback, fallback);
    font.cellWidth = 30;
    font.emHeight = 50;
    font.ascent = ascent;
    return font;
}

std::string Quoted(const std::string& text) {
    std::string out;
    AppendPostScriptString(out, text.data(), text.size());
    return out;
}

int Count(const std::string& text, const std::string& part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// The row commands of a block: its lines that show a string or a glyph.
std::vector<std::string> Rows(const std::string& block) {
    std::vector<std::string> rows;
    std::size_t at = 0;
    while (at < block.size()) {
        std::size_t end = block.find('\n', at);
        std::string line = block.substr(at, end - at);
        bool shows = line.size() > 2 && (line.compare(line.size() - 2, 2, " s") == 0 ||
                                         line.compare(line.size() - 2, 2, " g") == 0);
        if (shows && line.find(" setfont") == std::string::npos) {
            rows.push_back(line);
        }
        at = end == std::string::npos ? block.size() : end + 1;
    }
    return rows;
}

}  // namespace

TEST(PostScriptString, EscapesWhatAStringCannotHoldAsItIs) {
    struct Case {
        std::string text;
        std::string quoted;
    };
    const Case cases[] = {
        {"plain text", "(plain text)"},
        {"f(a) + g(b)", "(f\\(a\\) + g\\(b\\))"},
        {"C:\\dir\\", "(C:\\\\dir\\\\)"},
        {"caf\xE9 \x80 \xFF", "(caf\\351 \\200 \\377)"},
        {std::string("tab\tff\f\0nul", 11), "(tab\\011ff\\014\\000nul)"},
        {"\x7F~", "(\\177~)"},
        {"", "()"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Quoted(c.text), c.quoted);
    }
}

TEST(PostScriptPage, ARowIsShownAtItsFirstVisibleCellOnTheBaseline) {
    PostScriptPage page;
    page.Begin();
    ASSERT_TRUE(page.UseFont(Font("NimbusMonoPS-Regular", "Courier")));
    page.Row(0, 630, "     0012 int main(void)   ", 27);
    std::vector<std::string> rows = Rows(page.Text());
    ASSERT_EQ(rows.size(), 1u);
    // Five blanks of 30 units each move the start; the baseline lies 47 below the cell top.
    EXPECT_EQ(rows[0], "(0012 int main\\(void\\)) 150 677 s");
}

TEST(PostScriptPage, BlankRowsDrawNothingAndAnEmptyPageIsNoBlock) {
    PostScriptPage page;
    page.Begin();
    page.Row(0, 0, "ignored without a font", 22);
    ASSERT_TRUE(page.UseFont(Font("Courier", "Courier")));
    page.Row(0, 63, "      ", 6);
    page.Row(0, 126, "", 0);
    EXPECT_TRUE(page.Empty());
    EXPECT_EQ(page.Text(), "");
}

TEST(PostScriptPage, EveryPageDefinesTheFontsItUsesWithinItsOwnSaveAndRestore) {
    PostScriptPage page;
    PostScriptFont normal = Font("NimbusMonoPS-Regular", "Courier");
    PostScriptFont bold = Font("NimbusMonoPS-Bold", "Courier-Bold", 50);
    std::vector<std::string> blocks;
    for (int number = 0; number < 2; ++number) {
        page.Begin();
        page.UseFont(normal);
        page.Row(0, 0, "first", 5);
        page.UseFont(bold);
        page.Row(0, 63, "second", 6);
        page.UseFont(normal);
        page.Row(0, 126, "third", 5);
        blocks.push_back(page.Text());
    }
    EXPECT_EQ(blocks[0], blocks[1]) << "the second page must not rely on the first";
    const std::string& block = blocks[0];
    EXPECT_EQ(block.rfind("save ", 0), 0u);
    EXPECT_EQ(block.substr(block.size() - 12), "end restore\n");
    EXPECT_EQ(Count(block, " qf def"), 2) << "each font is defined once per page";
    EXPECT_EQ(Count(block, "/NimbusMonoPS-Regular/Courier/Quillmar-NimbusMonoPS-Regular qf"), 1);
    EXPECT_EQ(Count(block, "/NimbusMonoPS-Bold/Courier-Bold/Quillmar-NimbusMonoPS-Bold qf"), 1);
    EXPECT_EQ(Count(block, "f0 setfont"), 2) << "defined, then selected again for the third row";
    EXPECT_EQ(Count(block, "f1 setfont"), 1);
    EXPECT_EQ(Rows(block),
              (std::vector<std::string>{"(first) 0 47 s", "(second) 0 113 s", "(third) 0 173 s"}));
}

TEST(PostScriptPage, FontNamesKeepOnlyCharactersANameMayHold) {
    PostScriptPage page;
    page.Begin();
    page.UseFont(Font("Evil) show (Name/x", "Courier"));
    page.Row(0, 0, "x", 1);
    std::string block = page.Text();
    EXPECT_NE(block.find("/EvilshowNamex/Courier/Quillmar-EvilshowNamex qf"), std::string::npos);
}

TEST(PostScriptPage, RefusesMoreFontsThanAPageHolds) {
    PostScriptPage page;
    page.Begin();
    for (int i = 0; i < PostScriptPage::kMaxFonts; ++i) {
        PostScriptFont font = Font("Courier", "Courier");
        font.emHeight = 40 + i;
        EXPECT_TRUE(page.UseFont(font));
    }
    PostScriptFont another = Font("Courier", "Courier");
    another.emHeight = 99;
    EXPECT_FALSE(page.UseFont(another));
    PostScriptFont known = Font("Courier", "Courier");
    known.emHeight = 40;
    EXPECT_TRUE(page.UseFont(known)) << "a font the page already uses is still there";
}

TEST(PostScriptPage, TextBeyondTheVectorShowsGlyphsByNameAtTheirCells) {
    struct Case {
        const char* text;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        // Only characters of the vector: the same row as Row gives for their bytes.
        {"  caf\u00E9 5 \u20AC \u201Cq\u201D ", {"(caf\\351 5 \\200 \\223q\\224) 60 47 s"}},
        // A glyph by name at its cell, the strings around it at theirs.
        {"\u03A9mega", {"/uni03A9 0 47 g (mega) 30 47 s"}},
        {"x \u0416\u0443\u043A!",
         {"(x) 0 47 s /afii10024 60 47 g /afii10085 90 47 g /afii10076 120 47 g (!) 150 47 s"}},
        // Blanks between glyphs are no string of their own; the ones inside a string stay.
        {" \u03A9 \u03A9  a b ", {"/uni03A9 30 47 g /uni03A9 90 47 g (a b) 180 47 s"}},
        // Invisible characters of no width are left out and take no cell.
        {"a\u200Bb\uFEFF\u03A9", {"(ab) 0 47 s /uni03A9 60 47 g"}},
        // Control characters are bytes of the vector, as today.
        {"\x01\xC2\x85", {"(\\001\\201) 0 47 s"}},
        {"   ", {}},
    };
    for (const Case& c : cases) {
        PostScriptPage page;
        page.Begin();
        ASSERT_TRUE(page.UseFont(Font("NimbusMonoPS-Regular", "Courier")));
        EXPECT_TRUE(page.RowText(0, 0, c.text, std::strlen(c.text))) << c.text;
        EXPECT_EQ(Rows(page.Text()), c.rows) << c.text;
        EXPECT_EQ(page.Empty(), c.rows.empty());
    }
}

TEST(PostScriptPage, ARowWithWhatThePrinterFontsLackAddsNothing) {
    const char* const lacking[] = {
        "\u65E5\u672C",       // wide
        "e\u0301",            // a combining mark
        "bad \xFF byte",      // invalid UTF-8 reads as U+FFFD
        "ok \uFFFD",          // the replacement character itself
        "\u03A9 and \u05D0",  // the Greek one is there, the Hebrew one is not
    };
    for (const char* text : lacking) {
        PostScriptPage page;
        page.Begin();
        ASSERT_TRUE(page.UseFont(Font("NimbusMonoPS-Regular", "Courier")));
        page.Row(0, 0, "before", 6);
        std::string before = page.Text();
        EXPECT_FALSE(page.RowText(0, 63, text, std::strlen(text))) << text;
        EXPECT_EQ(page.Text(), before) << text;
    }
    PostScriptPage unfonted;
    unfonted.Begin();
    EXPECT_TRUE(unfonted.RowText(0, 0, "\u03A9", 2));
    EXPECT_TRUE(unfonted.Empty()) << "nothing is drawn without a font";
}

TEST(PostScriptName, IsReadFromTheWindowsOrMacintoshRecordOfNameSix) {
    // A name table: header, three records (a family name, a Windows and a Macintosh
    // PostScript name), then the strings.
    std::vector<unsigned char> table = {0, 0, 0, 3, 0, 42,
                                        // platform 3, encoding 1, language 0x409, name 1
                                        0, 3, 0, 1, 4, 9, 0, 1, 0, 4, 0, 0,
                                        // platform 3, name 6, 8 bytes at 4
                                        0, 3, 0, 1, 4, 9, 0, 6, 0, 8, 0, 4,
                                        // platform 1, name 6, 4 bytes at 12
                                        0, 1, 0, 0, 0, 0, 0, 6, 0, 4, 0, 12};
    const char strings[] = "F\0a\0\0M\0o\0n\0oMono";
    table.insert(table.end(), strings, strings + 16);
    char name[16];
    ASSERT_TRUE(ReadPostScriptName(table.data(), table.size(), name, sizeof name));
    EXPECT_STREQ(name, "Mono");

    // Without the Windows record the Macintosh one serves.
    std::vector<unsigned char> macOnly = table;
    macOnly[18 + 7] = 2;  // the Windows record becomes name 2
    ASSERT_TRUE(ReadPostScriptName(macOnly.data(), macOnly.size(), name, sizeof name));
    EXPECT_STREQ(name, "Mono");

    // Cut short, or with no room for the name: nothing.
    for (std::size_t size : {std::size_t{0}, std::size_t{5}, std::size_t{20}, std::size_t{45}}) {
        EXPECT_FALSE(ReadPostScriptName(table.data(), size, name, sizeof name)) << size;
        EXPECT_STREQ(name, "");
    }
    EXPECT_FALSE(ReadPostScriptName(table.data(), table.size(), name, 4));
    EXPECT_FALSE(ReadPostScriptName(nullptr, 100, name, sizeof name));
}
