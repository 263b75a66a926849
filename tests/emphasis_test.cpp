// Tests of source emphasis: the kind of a text and the bold lines of each rule set.
#include "print/emphasis.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/temp_dir.h"
#include "text/text_buffer.h"

namespace {

// Counts how the rules switch the font.
class FontLog : public BoldSwitch {
public:
    void SelectBold() override { ++bold; }
    void SelectNormal() override { ++normal; }
    int bold = 0;
    int normal = 0;
};

// Runs `rules` over `lines` as the copy's line loop does and marks each line "B" when it
// prints bold, "." when not.
template <typename Rules>
std::string BoldLines(const std::vector<std::string>& lines) {
    FontLog fonts;
    Rules rules(fonts);
    std::string marks;
    for (const std::string& line : lines) {
        rules.BeforeLine(line.c_str());
        marks += rules.Bold() ? 'B' : '.';
        rules.AfterLine(line.c_str());
    }
    return marks;
}

EmphasisKind Kind(const std::string& content) {
    TempDir dir;
    std::string path = dir.Write("source", content);
    TextBuffer text;
    EXPECT_TRUE(text.Open(path.c_str(), 255));
    EmphasisKind kind = DetectEmphasisKind(text);
    char line[255];
    text.ReadLine(line, sizeof line);
    EXPECT_EQ(line, content.substr(0, content.find('\n'))) << "read position at the start";
    return kind;
}

}  // namespace

TEST(DetectEmphasisKind, MarkersOfEachKind) {
    EXPECT_EQ(Kind("x\n/* comment */\n"), EmphasisKind::CFamily);
    EXPECT_EQ(Kind("{ comment }\nprogram x;\n"), EmphasisKind::PascalFamily);
    EXPECT_EQ(Kind("(* comment *)\n"), EmphasisKind::PascalFamily);
    EXPECT_EQ(Kind("program hello;\n"), EmphasisKind::PascalFamily) << "any letter case";
    EXPECT_EQ(Kind("; boot sector\n"), EmphasisKind::Assembler);
    EXPECT_EQ(Kind("Dear reader,\nnothing here.\n"), EmphasisKind::Plain);
    EXPECT_EQ(Kind(""), EmphasisKind::Plain);
}

TEST(DetectEmphasisKind, TheFirstLineThatDecidesWins) {
    EXPECT_EQ(Kind("if (a) {\n/* late comment */\n"), EmphasisKind::PascalFamily);
    EXPECT_EQ(Kind("{ /* both */\n"), EmphasisKind::CFamily) << "\"/*\" is tried first";
    EXPECT_EQ(Kind("x; program\n"), EmphasisKind::PascalFamily);
    EXPECT_EQ(Kind("program without semicolon\n; comment\n"), EmphasisKind::Assembler);
    EXPECT_EQ(Kind(" ; indented\n"), EmphasisKind::Plain);
}

TEST(DetectEmphasisKind, OnlyTheFirstTenLinesCount) {
    std::string nine(9, '\n');
    EXPECT_EQ(Kind(nine + "/* line 10 */\n"), EmphasisKind::CFamily);
    EXPECT_EQ(Kind(nine + "\n/* line 11 */\n"), EmphasisKind::Plain);
    // A line longer than 254 characters counts as two.
    EXPECT_EQ(Kind(std::string(8, '\n') + std::string(300, 'x') + "\n/* */\n"),
              EmphasisKind::Plain);
}

TEST(StartsWithKeyword, BeginningsOnlyCaseSensitiveNoWordBoundary) {
    EXPECT_TRUE(StartsWithKeyword("int main(void)", kCDeclarationKeywords));
    EXPECT_TRUE(StartsWithKeyword("integer x(", kCDeclarationKeywords));
    EXPECT_TRUE(StartsWithKeyword("LRESULT CALLBACK WndProc(", kCDeclarationKeywords));
    EXPECT_TRUE(StartsWithKeyword("BOOL f(", kCDeclarationKeywords));
    EXPECT_TRUE(StartsWithKeyword("boolean", kCDeclarationKeywords));
    EXPECT_FALSE(StartsWithKeyword("Int main(", kCDeclarationKeywords));
    EXPECT_FALSE(StartsWithKeyword("  int main(", kCDeclarationKeywords));
    EXPECT_FALSE(StartsWithKeyword("in", kCDeclarationKeywords));
    EXPECT_FALSE(StartsWithKeyword("", kCDeclarationKeywords));
    EXPECT_TRUE(StartsWithKeyword("ab", "x!ab!"));
    EXPECT_FALSE(StartsWithKeyword("x", ""));
}

TEST(CFamilyRules, TheLeadingBlockComment) {
    EXPECT_EQ(BoldLines<CFamilyRules>({"", "/* Title", " * more", " */", "/* later */", "x;"}),
              ".BBB..");
    EXPECT_EQ(BoldLines<CFamilyRules>({"/* one line */", "/* second */", "int x;"}), "B..");
    EXPECT_EQ(BoldLines<CFamilyRules>({"// leading", "/* later */"}), "..");
    EXPECT_EQ(BoldLines<CFamilyRules>({"#include <x.h>", "/* later */"}), "..");
    // A ")" inside the comment ends it early.
    EXPECT_EQ(BoldLines<CFamilyRules>({"/* f(x)", " * more", " */"}), "B..");
}

TEST(CFamilyRules, Declarations) {
    EXPECT_EQ(BoldLines<CFamilyRules>({"x;", "int f(int a,", "      int b)", "{", "}"}), ".BB..");
    EXPECT_EQ(BoldLines<CFamilyRules>({"x;", "bool ok(void);", "struct s *g(void)"}), ".BB");
    EXPECT_EQ(BoldLines<CFamilyRules>({"x;", "static int count;", "    int f(void)"}), "...");
    EXPECT_EQ(BoldLines<CFamilyRules>({"x;", "int x; // f(y)"}), "..");
    // A ")" inside a "//" comment counts for the end.
    EXPECT_EQ(BoldLines<CFamilyRules>({"x;", "void f(int a, // b)", "int c)"}), ".B.");
}

TEST(AssemblerRules, TheHeadAndProcLines) {
    EXPECT_EQ(BoldLines<AssemblerRules>(
                  {"; boot", "; sector", "org 100h", "; not bold", "main proc near", "Process:"}),
              "BB..BB");
    EXPECT_EQ(BoldLines<AssemblerRules>({"; a", "", "; b"}), "B..");
}

TEST(PascalFamilyRules, CommentsAtTheHead) {
    EXPECT_EQ(BoldLines<PascalFamilyRules>({"{ Title", "  more }", "(* second *)", "program p;"}),
              "BBBB");
    EXPECT_EQ(BoldLines<PascalFamilyRules>({"{$R+}", "uses crt;"}), "..");
    EXPECT_EQ(BoldLines<PascalFamilyRules>({"{ comment }", "uses crt;"}), "B.");
    // A directive ends the head like any other line printed in the normal font.
    EXPECT_EQ(BoldLines<PascalFamilyRules>({"{$R+}", "{ comment }"}), "..");
    EXPECT_EQ(BoldLines<PascalFamilyRules>({"uses crt;", "{ later }"}), "..");
}

TEST(PascalFamilyRules, Headings) {
    EXPECT_EQ(BoldLines<PascalFamilyRules>({"x;", "procedure Clear;", "begin"}), ".B.");
    EXPECT_EQ(BoldLines<PascalFamilyRules>({"x;", "function F(a: integer): integer;", "var"}),
              ".B.");
    EXPECT_EQ(BoldLines<PascalFamilyRules>({"x;", "procedure P(a: integer;", "  b: real);", "var"}),
              ".BB.");
    EXPECT_EQ(BoldLines<PascalFamilyRules>({"x;", "procedure P", "begin"}), "...");
    EXPECT_EQ(BoldLines<PascalFamilyRules>({"x;", "x := 1; procedure", "unitary;"}), "..B");
}

TEST(PascalFamilyRules, OneLineMainBlocks) {
    EXPECT_EQ(BoldLines<PascalFamilyRules>({"x;", "main() { run(); }", "next;"}), ".B.");
}
