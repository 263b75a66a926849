// The print engine, rewritten for speed and then for UTF-8, against what it printed before, on
// generated ASCII and 1252 texts of every kind: C, assembler, Pascal, plain, tabs, CR LF and
// lone CRs, long lines, form feeds, zero bytes and arbitrary bytes; an ASCII text whose one
// 1252 letter comes last, and a 1252 text that reads as valid UTF-8 up to its last line.
// - Lines: TextBuffer reading in pieces of every size gives the lines, widths and ends that
//   the former 8-bit reader gave reading the whole text (kept below as the reference), once
//   its UTF-8 is turned back into 1252.
// - Pages: the whole job prints the pages the former engine printed, cell for cell. Those are
//   known by the digest of their rendering, taken from the former engine on the same
//   generated texts; the new rendering is UTF-8, turned back into 1252 for the digest.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "tests/print_rig.h"
#include "text/code_page.h"
#include "text/utf8.h"

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

enum class Kind {
    C,
    Assembler,
    Pascal,
    Plain,
    Tabs,
    CrLf,
    LongLines,
    FormFeeds,
    Bytes,
    LateLegacy,
    Utf8Lookalike
};

const char* KindName(Kind kind) {
    static const char* const names[] = {"C",     "Assembler",  "Pascal",       "Plain",
                                        "Tabs",  "CR LF",      "LongLines",    "FormFeeds",
                                        "Bytes", "LateLegacy", "Utf8Lookalike"};
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
            case Kind::LateLegacy: {
                // ASCII across many pieces: the encoding is told only at the last line.
                std::string words = Words(random, static_cast<int>(random.Below(10)));
                for (char& ch : words) {
                    ch = static_cast<unsigned char>(ch) >= 0x80 ? 'e' : ch;
                }
                text += words;
                break;
            }
            case Kind::Utf8Lookalike: {
                // 1252 letters whose bytes make UTF-8 characters of two and three bytes
                // ("Ã©" is the bytes of é, "â‚¬" those of €): the text is 1252 all the same,
                // for its last line is not UTF-8.
                static const char* const pieces[] = {
                    "caf\xC3\xA9", "5 \xE2\x82\xAC", "na\xC3\xAFve", "word", "\t", "\xC2\xBD"};
                for (std::uint32_t i = random.Below(8); i > 0; --i) {
                    text += random.Pick(pieces);
                    text += ' ';
                }
                break;
            }
        }
        text += '\n';
    }
    if (kind == Kind::LateLegacy || kind == Kind::Utf8Lookalike) {
        text += "the last line: caf\xE9\n";
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

// UTF-8 of characters of code page 1252 as the bytes of 1252 ("?" for any other character).
std::string To1252(const std::string& utf8) {
    static const std::map<char32_t, char> bytes = [] {
        std::map<char32_t, char> table;
        LegacyCodePage page(1252);
        for (int byte = 0; byte < 256; ++byte) {
            char in = static_cast<char>(byte);
            char out[8];
            std::size_t used = 0;
            std::size_t length = page.Decode(&in, 1, true, out, sizeof out, &used);
            char32_t code = 0;
            EXPECT_EQ(DecodeUtf8(out, length, &code), length);
            table[code] = in;
        }
        return table;
    }();
    std::string text;
    for (std::size_t at = 0; at < utf8.size();) {
        char32_t code = 0;
        at += DecodeUtf8(utf8.data() + at, utf8.size() - at, &code);
        auto found = bytes.find(code);
        text += found != bytes.end() ? found->second : '?';
    }
    return text;
}

// The lines of `buffer`, turned into 1252 when `in1252`: then the line buffer has room for
// every character of 1252 in UTF-8, so that only the capacity cuts a line; else it holds
// `capacity` bytes (a loaded text has no capacity of its own).
std::vector<ReferenceLine> BufferLines(TextBuffer& buffer, std::size_t capacity, bool in1252) {
    std::vector<ReferenceLine> lines;
    std::vector<char> line(in1252 ? 3 * capacity + 4 : capacity);
    while (!buffer.AtEnd() && lines.size() < 1000000) {
        CellRun visible;
        int column = buffer.ReadLine(line.data(), line.size(), &visible);
        EXPECT_EQ(visible.length, std::strlen(line.data()));
        std::string text(line.data(), visible.length);
        lines.push_back({in1252 ? To1252(text) : text, column});
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

constexpr Kind kKinds[] = {Kind::C,     Kind::Assembler,  Kind::Pascal,       Kind::Plain,
                           Kind::Tabs,  Kind::CrLf,       Kind::LongLines,    Kind::FormFeeds,
                           Kind::Bytes, Kind::LateLegacy, Kind::Utf8Lookalike};

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
                    ASSERT_TRUE(BufferLines(buffer, capacity, true) == expected);
                    EXPECT_EQ(buffer.Encoding(), TextEncoding::kLegacy);
                    // Again from the start, as every copy of a job reads it.
                    buffer.Rewind();
                    ASSERT_TRUE(BufferLines(buffer, capacity, true) == expected);
                }
                // Read whole (as it is, not decoded): the same lines for an ASCII text.
                if (FindNonAscii(text.data(), text.size()) == text.size()) {
                    TextBuffer whole;
                    ASSERT_TRUE(whole.Load(path.c_str(), 2));
                    EXPECT_TRUE(BufferLines(whole, capacity, false) == expected) << KindName(kind);
                }
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
    return To1252(rig.Pages());
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
            EXPECT_TRUE(BufferLines(buffer, capacity, true) == expected);
        }
        TextBuffer whole;
        ASSERT_TRUE(whole.Load(path.c_str(), 2));
        EXPECT_TRUE(BufferLines(whole, capacity, false) == expected);
    }
}
