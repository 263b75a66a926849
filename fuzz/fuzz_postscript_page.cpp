// Fuzz target: the PostScript page blocks and the font name they are made with. The name
// comes from a table the printer's font hands over, so any bytes are read within the table and
// give either nothing or a name of characters a PostScript name may hold, within the caller's
// buffer. A page block holds only printable ASCII and line ends whatever the rows and font
// names hold; read back as PostScript tokens, its strings and glyph names show every
// character of the rows but their blanks at its own cell in the font last chosen, and a row of
// UTF-8 with a character the printer's fonts lack adds nothing.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "fuzz/scratch_file.h"
#include "print/postscript_page.h"
#include "print/printer_glyphs.h"
#include "text/char_cells.h"

namespace {

bool IsNameCharacter(unsigned char ch) {
    return ch > 32 && ch < 127 && std::strchr("()<>[]{}/%", ch) == nullptr;
}

void CheckName(const std::uint8_t* data, std::size_t size, std::size_t outSize) {
    // Exact heap blocks, so that a read or write one byte past either is a finding.
    std::unique_ptr<unsigned char[]> table(new unsigned char[size == 0 ? 1 : size]);
    if (size != 0) {
        std::memcpy(table.get(), data, size);
    }
    std::unique_ptr<char[]> out(new char[outSize]);
    std::memset(out.get(), 'x', outSize);
    bool found = ReadPostScriptName(table.get(), size, out.get(), outSize);
    std::size_t length = strnlen(out.get(), outSize);
    FUZZ_CHECK(length < outSize);
    FUZZ_CHECK(found == (length != 0));
    for (std::size_t i = 0; i < length; ++i) {
        FUZZ_CHECK(IsNameCharacter(static_cast<unsigned char>(out[i])));
    }
}

// One thing a row shows: a byte of the vector or a glyph by name, at a device point of the
// baseline. Blanks show nothing and are not listed.
struct Shown {
    long long x;
    long long y;
    int byte;  // -1 for a glyph by name
    std::string name;

    bool operator==(const Shown& other) const {
        return x == other.x && y == other.y && byte == other.byte && name == other.name;
    }
};

// What one row command of the page should show, cell by cell, and the cell width of its font.
struct ShownRow {
    std::vector<Shown> cells;
    long long cellWidth;
};

// Reads a PostScript string that starts at text[at] == '(' and gives its bytes; `at` ends
// past the closing parenthesis.
std::string ReadString(const std::string& text, std::size_t& at) {
    std::string value;
    int depth = 1;
    ++at;
    while (true) {
        FUZZ_CHECK(at < text.size());
        char ch = text[at++];
        if (ch == '\\') {
            FUZZ_CHECK(at < text.size());
            char next = text[at];
            if (next >= '0' && next <= '7') {
                int code = 0;
                for (int digit = 0;
                     digit < 3 && at < text.size() && text[at] >= '0' && text[at] <= '7'; ++digit) {
                    code = code * 8 + (text[at++] - '0');
                }
                value += static_cast<char>(code);
            } else {
                FUZZ_CHECK(next == '(' || next == ')' || next == '\\');
                value += next;
                ++at;
            }
        } else if (ch == '(') {
            ++depth;
            value += ch;
        } else if (ch == ')') {
            if (--depth == 0) {
                return value;
            }
            value += ch;
        } else {
            value += ch;
        }
    }
}

// The next token after `at` that is not blank, as text; strings are read by ReadString.
std::string NextWord(const std::string& text, std::size_t& at) {
    while (at < text.size() && text[at] == ' ') {
        ++at;
    }
    std::size_t start = at;
    while (at < text.size() && text[at] != ' ' && text[at] != '\n') {
        ++at;
    }
    return text.substr(start, at - start);
}

long long ReadNumber(const std::string& text, std::size_t& at) {
    std::string word = NextWord(text, at);
    FUZZ_CHECK(!word.empty());
    char* end = nullptr;
    long long value = std::strtoll(word.c_str(), &end, 10);
    FUZZ_CHECK(*end == '\0');
    return value;
}

constexpr char kPrologueEnd[] = "/g{moveto glyphshow}bind def\n";

// After the prologue, a line is a font's definition or choice, or a row: strings followed by
// their x, y and "s", and glyph names followed by theirs and "g". Each row shows exactly its
// model's cells; the prologue's one string is the width of a blank.
void CheckBlock(const std::string& block, const std::vector<ShownRow>& rows) {
    for (unsigned char ch : block) {
        FUZZ_CHECK(ch == '\n' || (ch >= 32 && ch < 127));
    }
    FUZZ_CHECK(rows.empty() == block.empty());
    if (block.empty()) {
        return;
    }
    std::size_t at = block.find('(');
    FUZZ_CHECK(at != std::string::npos && ReadString(block, at) == " ");
    at = block.find(kPrologueEnd);
    FUZZ_CHECK(at != std::string::npos);
    at += sizeof kPrologueEnd - 1;
    std::size_t row = 0;
    while (at < block.size()) {
        std::size_t lineEnd = block.find('\n', at);
        FUZZ_CHECK(lineEnd != std::string::npos);
        if (block.compare(at, 4, "/sz ") == 0 || block[at] == 'f' ||
            block.compare(at, lineEnd - at, "end restore") == 0) {
            at = lineEnd + 1;
            continue;
        }
        FUZZ_CHECK(row < rows.size());
        std::vector<Shown> shown;
        while (at < lineEnd) {
            if (block[at] == ' ') {
                ++at;
                continue;
            }
            if (block[at] == '(') {
                std::string value = ReadString(block, at);
                FUZZ_CHECK(!value.empty() && value.front() != ' ' && value.back() != ' ');
                long long x = ReadNumber(block, at);
                long long y = ReadNumber(block, at);
                FUZZ_CHECK(NextWord(block, at) == "s");
                for (std::size_t i = 0; i < value.size(); ++i) {
                    if (value[i] != ' ') {
                        shown.push_back({x + static_cast<long long>(i) * rows[row].cellWidth, y,
                                         static_cast<unsigned char>(value[i]), ""});
                    }
                }
            } else {
                std::string name = NextWord(block, at);
                FUZZ_CHECK(name.size() > 1 && name[0] == '/');
                long long x = ReadNumber(block, at);
                long long y = ReadNumber(block, at);
                FUZZ_CHECK(NextWord(block, at) == "g");
                shown.push_back({x, y, -1, name.substr(1)});
            }
        }
        FUZZ_CHECK(shown == rows[row].cells);
        ++row;
        at = lineEnd + 1;
    }
    FUZZ_CHECK(row == rows.size());
}

bool SameFont(const PostScriptFont& a, const PostScriptFont& b) {
    return std::strcmp(a.name, b.name) == 0 && std::strcmp(a.fallback, b.fallback) == 0 &&
           a.cellWidth == b.cellWidth && a.emHeight == b.emHeight && a.ascent == b.ascent;
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// A text of today: mostly characters the printer's fonts hold, now and then one they lack
// (wide, combining, U+FFFD, an invalid byte), and invisible ones of no width.
std::string MakeText(FuzzedDataProvider& in) {
    static const char32_t kKinds[][2] = {
        {0x20, 0x20},     {0x21, 0x7E},     {0x00, 0x1F},     {0x80, 0x9F},
        {0xA0, 0xFF},     {0x2013, 0x20AC}, {0x0370, 0x03FF}, {0x0400, 0x04FF},
        {0x2500, 0x257F}, {0x0100, 0x024F}, {0x200B, 0x200F}, {0xFEFF, 0xFEFF},
        {0x0300, 0x036F}, {0x4E00, 0x9FFF}, {0xFFFD, 0xFFFD}, {0x0000, 0x10FFFF},
    };
    constexpr int kKindCount = static_cast<int>(sizeof kKinds / sizeof kKinds[0]);
    std::string text;
    std::size_t count = in.ConsumeIntegralInRange<std::size_t>(0, 120);
    for (std::size_t i = 0; i < count && in.remaining_bytes() > 0; ++i) {
        int kind = in.ConsumeIntegralInRange(0, kKindCount);
        if (kind == kKindCount) {
            text += static_cast<char>(in.ConsumeIntegralInRange(0x80, 0xFF));  // a stray byte
            continue;
        }
        char32_t code = in.ConsumeIntegralInRange<char32_t>(kKinds[kind][0], kKinds[kind][1]);
        if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;
        }
        AppendUtf8(text, code);
    }
    return text;
}

// What RowText shows of `text`: every character at its cell, nothing when the fonts lack one.
bool ModelRowText(const std::string& text, long long x, long long y, long long cellWidth,
                  std::vector<Shown>* cells) {
    long long cell = 0;
    for (std::size_t at = 0; at < text.size();) {
        CellChar ch = NextCellChar(text.data(), text.size(), at);
        at += ch.bytes;
        if (ch.cells == 0 && DrawsNothing(ch.code)) {
            continue;
        }
        PrinterGlyph glyph;
        if (ch.cells != 1 || !FindPrinterGlyph(ch.code, &glyph)) {
            cells->clear();
            return false;
        }
        if (glyph.name != nullptr) {
            cells->push_back({x + cell * cellWidth, y, -1, glyph.name});
        } else if (glyph.byte != ' ') {
            cells->push_back({x + cell * cellWidth, y, glyph.byte, ""});
        }
        ++cell;
    }
    return true;
}

void CheckPage(FuzzedDataProvider& in) {
    PostScriptPage page;
    page.Begin();
    std::vector<PostScriptFont> fonts;  // the distinct fonts the page uses
    int current = -1;                   // index into fonts
    std::vector<ShownRow> rows;
    while (in.remaining_bytes() > 0) {
        int action = in.ConsumeIntegralInRange(0, 7);
        if (action == 0) {
            // A few fonts, chosen again often: names of any bytes, measures of any size.
            PostScriptFont font;
            int pick = in.ConsumeIntegralInRange(0, 11);
            std::string name = in.ConsumeRandomLengthString(PostScriptFont::kNameSize - 1);
            std::memcpy(font.name, name.c_str(), name.size() + 1);
            std::memcpy(font.fallback, pick % 2 == 0 ? "Courier" : "", pick % 2 == 0 ? 8 : 1);
            font.cellWidth = pick < 6 ? pick * 10 : in.ConsumeIntegral<int>();
            font.emHeight = in.ConsumeIntegral<int>();
            font.ascent = in.ConsumeIntegral<int>();
            std::size_t known = 0;
            while (known < fonts.size() && !SameFont(fonts[known], font)) {
                ++known;
            }
            bool full = known == fonts.size() && fonts.size() == PostScriptPage::kMaxFonts;
            FUZZ_CHECK(page.UseFont(font) == !full);
            if (!full) {
                if (known == fonts.size()) {
                    fonts.push_back(font);
                }
                current = static_cast<int>(known);
            }
            continue;
        }
        int x = in.ConsumeIntegral<int>();
        int y = in.ConsumeIntegral<int>();
        const PostScriptFont* font =
            current < 0 ? nullptr : &fonts[static_cast<std::size_t>(current)];
        ShownRow row;
        row.cellWidth = font == nullptr ? 0 : font->cellWidth;
        long long baseline = static_cast<long long>(y) + (font == nullptr ? 0 : font->ascent);
        if (action <= 3) {
            // Bytes of the vector.
            std::string text = in.ConsumeRandomLengthString(300);
            page.Row(x, y, text.data(), text.size());
            for (std::size_t i = 0; i < text.size(); ++i) {
                if (text[i] != ' ') {
                    row.cells.push_back({x + static_cast<long long>(i) * row.cellWidth, baseline,
                                         static_cast<unsigned char>(text[i]), ""});
                }
            }
        } else {
            std::string text = MakeText(in);
            std::string before = page.Text();
            bool held = ModelRowText(text, x, baseline, row.cellWidth, &row.cells);
            FUZZ_CHECK(page.RowText(x, y, text.data(), text.size()) == (held || font == nullptr));
            if (!held) {
                FUZZ_CHECK(page.Text() == before);
            }
        }
        if (font != nullptr && !row.cells.empty()) {
            rows.push_back(row);
        }
    }
    FUZZ_CHECK(page.Empty() == rows.empty());
    CheckBlock(page.Text(), rows);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    if (in.ConsumeBool()) {
        std::size_t outSize = in.ConsumeIntegralInRange<std::size_t>(1, 80);
        std::vector<std::uint8_t> table = in.ConsumeRemainingBytes<std::uint8_t>();
        CheckName(table.data(), table.size(), outSize);
    } else {
        CheckPage(in);
    }
    return 0;
}
