// The print engine, rewritten for speed, against what it printed before, on generated texts of
// every kind: C, assembler, Pascal, plain, tabs, CR LF and lone CRs, long lines, form feeds,
// zero bytes and arbitrary bytes.
// - Lines: TextBuffer reading in pieces of every size gives the lines, widths and ends that
//   the former reader gave reading the whole text (kept below as the reference).
// - Pages: the whole job prints the pages the former engine printed. Those are known by the
//   digest of their rendering, taken from the former engine on the same generated texts.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "tests/print_rig.h"

namespace {

// A small deterministic generator, the same in every build.
class Random {
public:
    explicit Random(std::uint32_t seed) : state_(seed | 1u) {}
    std::uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    std::uint32_t Below(std::uint32_t n) { return Next() % n; }
    template <std::size_t N>
    const char* Pick(const char* const (&words)[N]) {
        return words[Below(static_cast<std::uint32_t>(N))];
    }

private:
    std::uint32_t state_;
};

enum class Kind { C, Assembler, Pascal, Plain, Tabs, CrLf, LongLines, FormFeeds, Bytes };

const char* KindName(Kind kind) {
    static const char* const names[] = {"C",     "Assembler", "Pascal",    "Plain", "Tabs",
                                        "CR LF", "LongLines", "FormFeeds", "Bytes"};
    return names[static_cast<int>(kind)];
}

std::string Words(Random& random, int count) {
    static const char* const words[] = {"alpha", "beta",  "gamma", "(x)",  "x;",   "{", "}",
                                        "/*",    "*/",    "//",    "proc", "Main", "a", "the",
                                        "int",   "value", "(*",    "*)",   "\t",   "",  "e\xE9"};
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += random.Pick(words);
        text += random.Below(5) == 0 ? "\t" : " ";
    }
    return text;
}

// About `size` bytes of text of one kind.
std::string Generate(Kind kind, std::uint32_t seed, std::size_t size) {
    Random random(seed);
    std::string text;
    static const char* const cLines[] = {"int main(void)",
                                         "static int counter;",
                                         "struct point *make(int x,",
                                         "\tint y)",
                                         "{",
                                         "}",
                                         "\treturn x + y; // done (really)",
                                         "/* a comment */",
                                         "void f(void) // (x",
                                         "unsigned long g(",
                                         "  int indented(void)",
                                         "boolean b(int a) { return a; }",
                                         "LRESULT CALLBACK WndProc(HWND h,",
                                         "char *s = \"(\";",
                                         "integer(x)",
                                         "// int h(void)",
                                         "#define X(a) (a)",
                                         "double d(double);",
                                         "*/",
                                         " * inside a comment"};
    static const char* const asmLines[] = {"; header line",       ";; another", "start proc near",
                                           "\tmov ax, bx ; move", "end:",       "Process endp",
                                           "\tcall PROCESS",      "",           "label: db 0",
                                           ";late comment"};
    static const char* const pascalLines[] = {"program Demo;",
                                              "{ leading comment }",
                                              "{$R+}",
                                              "(* old style",
                                              "  comment *)",
                                              "procedure P;",
                                              "function F(a: Integer;",
                                              "  b: Integer): Integer;",
                                              "begin",
                                              "end;",
                                              "unit U;",
                                              "Main { x } ",
                                              "var x: integer; procedure Q;",
                                              "writeln('(*');",
                                              ""};
    if (kind == Kind::C) {
        text += "/*\n * generated\n */\n";
    } else if (kind == Kind::Assembler) {
        text += "; generated\n;\n";
    } else if (kind == Kind::Pascal) {
        text += "{ generated }\n";
    }
    while (text.size() < size) {
        switch (kind) {
            case Kind::C:
                text += random.Pick(cLines);
                break;
            case Kind::Assembler:
                text += random.Pick(asmLines);
                break;
            case Kind::Pascal:
                text += random.Pick(pascalLines);
                break;
            case Kind::Plain:
                text += Words(random, static_cast<int>(random.Below(14)));
                break;
            case Kind::Tabs:
                for (std::uint32_t i = random.Below(12); i > 0; --i) {
                    text += random.Below(2) == 0 ? "\t" : std::string(random.Below(9), 'x');
                }
                break;
            case Kind::CrLf:
                text += Words(random, static_cast<int>(random.Below(8)));
                text += std::string(random.Below(4), '\r');
                if (random.Below(6) == 0) {
                    text += "mid\rline";
                }
                break;
            case Kind::LongLines: {
                // Lengths around the line capacity, and far beyond it.
                static const std::uint32_t lengths[] = {253, 254, 255, 256, 300, 508, 509, 2000};
                std::uint32_t length = lengths[random.Below(8)] + random.Below(3) - 1;
                for (std::uint32_t i = 0; i < length; ++i) {
                    text += static_cast<char>('a' + random.Below(26));
                }
                if (random.Below(3) == 0) {
                    text += std::string(1 + random.Below(3), '\r');
                }
                break;
            }
            case Kind::FormFeeds:
                text += Words(random, static_cast<int>(random.Below(6)));
                if (random.Below(4) == 0) {
                    text += '\f';
                    text += Words(random, static_cast<int>(random.Below(3)));
                }
                break;
            case Kind::Bytes:
                for (std::uint32_t i = random.Below(40); i > 0; --i) {
                    text += static_cast<char>(random.Below(256));
                }
                break;
        }
        text += '\n';
    }
    // Ends without a line end, or with carriage returns alone, now and then.
    if (seed % 3 == 0) {
        text.pop_back();
    } else if (seed % 3 == 1) {
        text += "\r\r";
    }
    return text;
}

// The former line reader, on the whole text: what every line must still be.
struct ReferenceLine {
    std::string text;
    int column;
    bool operator==(const ReferenceLine& other) const {
        return text == other.text && column == other.column;
    }
};

std::vector<ReferenceLine> ReferenceLines(const std::string& text, std::size_t capacity,
                                          int tabWidth) {
    std::vector<ReferenceLine> lines;
    std::size_t cursor = 0;
    const std::size_t end = text.size();
    std::size_t limit = capacity - 1;
    while (cursor < end) {
        std::string out;
        int column = 0;
        bool full = false;
        while (cursor < end && !full) {
            char ch = text[cursor++];
            if (ch == '\n') {
                break;
            }
            if (ch == '\r') {
                continue;
            }
            if (ch == '\t') {
                int blanks = tabWidth - column % tabWidth;
                for (int i = 0; i < blanks; ++i) {
                    out += ' ';
                    if (out.size() == limit) {
                        full = true;
                        break;
                    }
                    ++column;
                }
                continue;
            }
            out += ch;
            if (out.size() == limit) {
                full = true;
            } else {
                ++column;
            }
        }
        if (full) {
            std::size_t next = cursor;
            while (next < end && text[next] == '\r') {
                ++next;
            }
            if (next < end && text[next] == '\n') {
                cursor = next + 1;
            }
        }
        lines.push_back({out.substr(0, std::strlen(out.c_str())), column});
    }
    return lines;
}

std::vector<ReferenceLine> BufferLines(TextBuffer& buffer, std::size_t capacity) {
    std::vector<ReferenceLine> lines;
    std::vector<char> line(capacity);
    while (!buffer.AtEnd() && lines.size() < 1000000) {
        std::size_t length = 0;
        int column = buffer.ReadLine(line.data(), line.size(), &length);
        EXPECT_EQ(length, std::strlen(line.data()));
        lines.push_back({std::string(line.data(), length), column});
    }
    return lines;
}

// FNV-1a, 64 bits.
std::uint64_t Digest(const std::string& text) {
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (unsigned char ch : text) {
        hash = (hash ^ ch) * 0x100000001b3u;
    }
    return hash;
}

constexpr Kind kKinds[] = {Kind::C,    Kind::Assembler, Kind::Pascal,    Kind::Plain, Kind::Tabs,
                           Kind::CrLf, Kind::LongLines, Kind::FormFeeds, Kind::Bytes};

}  // namespace

TEST(EngineComparison, LinesReadInPiecesOfAnySizeAreTheFormerReadersLines) {
    TempDir dir;
    for (Kind kind : kKinds) {
        for (std::uint32_t seed = 1; seed <= 3; ++seed) {
            std::string text =
                Generate(kind, seed * 7919u + static_cast<std::uint32_t>(kind), 6000);
            std::string path = dir.Write("lines.txt", text);
            for (std::size_t capacity : {std::size_t{255}, std::size_t{2}, std::size_t{9}}) {
                std::vector<ReferenceLine> expected = ReferenceLines(text, capacity, 8);
                for (std::uint32_t chunk :
                     {1u, 3u, 7u, 253u, 254u, 255u, 256u, 4096u, TextBuffer::kDefaultReadChunk}) {
                    SCOPED_TRACE(std::string(KindName(kind)) + " seed " + std::to_string(seed) +
                                 " capacity " + std::to_string(capacity) + " pieces of " +
                                 std::to_string(chunk));
                    TextBuffer buffer;
                    buffer.SetReadChunk(chunk);
                    ASSERT_TRUE(buffer.Open(path.c_str(), static_cast<int>(capacity)));
                    ASSERT_TRUE(BufferLines(buffer, capacity) == expected);
                    // Again from the start, as every copy of a job reads it.
                    buffer.Rewind();
                    ASSERT_TRUE(BufferLines(buffer, capacity) == expected);
                }
                // Read whole, as the file viewer loads a text.
                TextBuffer whole;
                ASSERT_TRUE(whole.Load(path.c_str(), 2));
                EXPECT_TRUE(BufferLines(whole, capacity) == expected) << KindName(kind);
            }
        }
    }
}

// One job on a generated text; the digest of the pages it printed.
struct PageCase {
    Kind kind;
    std::uint32_t seed;
    bool lineNumbers;
    bool formFeeds;
    int tabSize;
    int copies;
    // What the former engine printed; where that ended with a page holding only its footer,
    // the same pages without it.
    std::uint64_t formerDigest;
};

std::string PrintedPages(const PageCase& c, std::uint32_t chunk) {
    PrintRig rig;  // 40 columns by 12 lines: many pages and many wrapped lines
    rig.settings.LineNumbers = c.lineNumbers;
    rig.settings.FormFeed = c.formFeeds;
    rig.settings.TabSize = c.tabSize;
    rig.dialog.ChooseCopies(static_cast<std::uint16_t>(c.copies));
    rig.text.SetReadChunk(chunk);
    EXPECT_EQ(rig.Print(Generate(c.kind, c.seed, 20000)), 1);
    return rig.Pages();
}

TEST(EngineComparison, TheJobPrintsTheFormerEnginesPages) {
    const PageCase cases[] = {
        {Kind::C, 11, true, false, 8, 2, 0xbc64a6a4340ca51fu},
        {Kind::C, 12, false, true, 4, 1, 0x0734fb654bc183dcu},
        {Kind::Assembler, 21, true, false, 8, 1, 0xa8d9fe3f869966dfu},
        {Kind::Pascal, 31, true, true, 8, 2, 0x850bd75963cb3035u},
        {Kind::Pascal, 32, false, false, 3, 1, 0xd4495e664685f73cu},  // no footer-only last page
        {Kind::Plain, 41, true, false, 8, 1, 0x44da9e11f019008cu},
        {Kind::Tabs, 51, false, false, 5, 1, 0x2c3bcc4133d744aau},
        {Kind::CrLf, 61, true, false, 8, 1, 0x9178897e9caf727bu},  // no footer-only last page
        {Kind::LongLines, 71, true, true, 8, 1, 0xdc369a6f167e7f4bu},
        {Kind::FormFeeds, 81, false, true, 8, 1, 0x1e0da7b4bfa67228u},
        {Kind::FormFeeds, 82, true, false, 8, 1, 0x890a45cfb753c233u},  // no footer-only last page
        {Kind::Bytes, 91, true, true, 8, 1, 0x436fbda5661635edu},
    };
    for (const PageCase& c : cases) {
        SCOPED_TRACE(std::string(KindName(c.kind)) + " seed " + std::to_string(c.seed));
        std::string pages = PrintedPages(c, TextBuffer::kDefaultReadChunk);
        EXPECT_EQ(Digest(pages), c.formerDigest);
        EXPECT_EQ(PrintedPages(c, 5), pages) << "read in pieces of 5 bytes";
    }
}

TEST(EngineComparison, RunsOfEveryLengthEndAndCutAsTheFormerReadersDid) {
    // The reader copies and tests a line in blocks while the line buffer has room for one: a
    // run of every length up to the capacity, ended by each byte that stops a run, and
    // followed by more than a block, meets the block edges, the buffer's end and the pieces'
    // ends in every way.
    std::string text;
    for (char stopper : {'\r', '\0', '\f', '\t', '\n'}) {
        for (std::size_t length = 0; length <= 256; ++length) {
            text += std::string(length, 'a');
            text += stopper;
            text += std::string(150, 'b');
            text += '\n';
        }
    }
    TempDir dir;
    std::string path = dir.Write("runs.txt", text);
    for (std::size_t capacity : {std::size_t{255}, std::size_t{100}}) {
        std::vector<ReferenceLine> expected = ReferenceLines(text, capacity, 8);
        for (std::uint32_t chunk : {97u, 4096u, TextBuffer::kDefaultReadChunk}) {
            SCOPED_TRACE("capacity " + std::to_string(capacity) + " pieces of " +
                         std::to_string(chunk));
            TextBuffer buffer;
            buffer.SetReadChunk(chunk);
            ASSERT_TRUE(buffer.Open(path.c_str(), static_cast<int>(capacity)));
            EXPECT_TRUE(BufferLines(buffer, capacity) == expected);
        }
        TextBuffer whole;
        ASSERT_TRUE(whole.Load(path.c_str(), 2));
        EXPECT_TRUE(BufferLines(whole, capacity) == expected);
    }
}
