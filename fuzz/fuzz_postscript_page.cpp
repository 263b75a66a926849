// Fuzz target: the PostScript page blocks and the font name they are made with. The name
// comes from a table the printer's font hands over, so any bytes are read within the table and
// give either nothing or a name of characters a PostScript name may hold, within the caller's
// buffer. A page block holds only printable ASCII and line ends whatever the rows and font
// names hold; read back as PostScript tokens, its strings are the rows without their outer
// blanks, each shown at the cell of its first character in the font last chosen.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "fuzz/scratch_file.h"
#include "print/postscript_page.h"

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

// What the page should show for one row: the text between its outer blanks, and the device
// point of the baseline at its first character.
struct ShownRow {
    std::string text;
    long long x;
    long long y;
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
    while (at < text.size() && (text[at] == ' ' || text[at] == '\n')) {
        ++at;
    }
    std::size_t start = at;
    while (at < text.size() && text[at] != ' ' && text[at] != '\n') {
        ++at;
    }
    return text.substr(start, at - start);
}

// Every string of the block after the prologue's one (the width of a blank) is a row,
// followed by its x, its y and "s".
void CheckBlock(const std::string& block, const std::vector<ShownRow>& rows) {
    for (unsigned char ch : block) {
        FUZZ_CHECK(ch == '\n' || (ch >= 32 && ch < 127));
    }
    FUZZ_CHECK(rows.empty() == block.empty());
    std::size_t at = 0;
    std::size_t strings = 0;
    while ((at = block.find('(', at)) != std::string::npos) {
        std::string value = ReadString(block, at);
        if (strings++ == 0) {
            FUZZ_CHECK(value == " ");
            continue;
        }
        FUZZ_CHECK(strings - 2 < rows.size());
        const ShownRow& row = rows[strings - 2];
        FUZZ_CHECK(value == row.text);
        FUZZ_CHECK(std::strtoll(NextWord(block, at).c_str(), nullptr, 10) == row.x);
        FUZZ_CHECK(std::strtoll(NextWord(block, at).c_str(), nullptr, 10) == row.y);
        FUZZ_CHECK(NextWord(block, at) == "s");
    }
    FUZZ_CHECK(block.empty() || strings == rows.size() + 1);
}

bool SameFont(const PostScriptFont& a, const PostScriptFont& b) {
    return std::strcmp(a.name, b.name) == 0 && std::strcmp(a.fallback, b.fallback) == 0 &&
           a.cellWidth == b.cellWidth && a.emHeight == b.emHeight && a.ascent == b.ascent;
}

void CheckPage(FuzzedDataProvider& in) {
    PostScriptPage page;
    page.Begin();
    std::vector<PostScriptFont> fonts;  // the distinct fonts the page uses
    int current = -1;                   // index into fonts
    std::vector<ShownRow> rows;
    while (in.remaining_bytes() > 0) {
        if (in.ConsumeIntegralInRange(0, 7) == 0) {
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
        std::string text = in.ConsumeRandomLengthString(300);
        page.Row(x, y, text.data(), text.size());
        std::size_t first = text.find_first_not_of(' ');
        if (current < 0 || first == std::string::npos) {
            continue;
        }
        std::size_t end = text.find_last_not_of(' ') + 1;
        const PostScriptFont& font = fonts[static_cast<std::size_t>(current)];
        rows.push_back({text.substr(first, end - first),
                        x + static_cast<long long>(first) * font.cellWidth,
                        static_cast<long long>(y) + font.ascent});
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
