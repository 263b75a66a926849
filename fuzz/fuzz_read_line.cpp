// Fuzz target: TextBuffer::ReadLine against a character-by-character model of its rules, with
// random line capacities, caller buffer sizes, tab widths and read pieces. The model reads
// the text as the decoder gives it whole (fuzz_text_decoder checks the decoder itself). Every
// line, its width and where the next one starts must agree with the model, and no line is
// written past the caller's buffer.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "fuzz/scratch_file.h"
#include "text/char_cells.h"
#include "text/decoded_file.h"
#include "text/text_buffer.h"

namespace {

struct Char {
    std::string bytes;
    std::size_t cells;
};

// The rules, one character at a time: a tab becomes blanks up to the next stop (when
// expanded), a carriage return is dropped, a line feed ends the line, anything else is copied.
// A line holds at most `cellLimit` cells and `byteLimit` bytes: a character that does not fit
// starts the next line, unless the line is empty (it is then taken however wide, or passed
// over when no buffer could hold its bytes). The line is full when a limit is reached; the
// character that filled it is not counted in the width, the blanks left of a cut tab are
// dropped, characters of no width after a full line still join it, and a line end right
// behind a full line (carriage returns before it skipped) still belongs to that line.
struct Model {
    const std::vector<Char>& text;
    std::size_t cursor = 0;
    int tabWidth = 8;
    bool expandTabs = true;

    int ReadLine(std::size_t cellLimit, std::size_t byteLimit, std::string& line) {
        line.clear();
        std::size_t column = 0;
        std::size_t last = 0;    // cells of the last character with cells
        std::size_t filled = 0;  // what the width leaves out
        bool full = false;
        while (cursor < text.size() && !full) {
            const Char& ch = text[cursor];
            if (ch.bytes == "\n") {
                ++cursor;
                break;
            }
            if (ch.bytes == "\r") {
                ++cursor;
                continue;
            }
            if (ch.bytes == "\t" && expandTabs) {
                ++cursor;
                std::size_t blanks = static_cast<std::size_t>(tabWidth) -
                                     column % static_cast<std::size_t>(tabWidth);
                std::size_t room = std::min(cellLimit - column, byteLimit - line.size());
                line.append(std::min(blanks, room), ' ');
                column += std::min(blanks, room);
                last = 1;
                if (blanks >= room) {
                    full = true;
                    filled = 1;
                }
                continue;
            }
            if (column + ch.cells > cellLimit || line.size() + ch.bytes.size() > byteLimit) {
                full = true;
                if (!line.empty()) {
                    break;
                }
                if (ch.bytes.size() > byteLimit) {
                    ++cursor;
                    break;
                }
            }
            ++cursor;
            line += ch.bytes;
            column += ch.cells;
            if (ch.cells > 0) {
                last = ch.cells;
            }
            if (full || column >= cellLimit || line.size() == byteLimit) {
                full = true;
                filled = last;
            }
        }
        if (full) {
            while (cursor < text.size() && text[cursor].cells == 0 &&
                   static_cast<unsigned char>(text[cursor].bytes[0]) >= 0x80 &&
                   line.size() + text[cursor].bytes.size() <= byteLimit) {
                line += text[cursor++].bytes;
            }
            std::size_t next = cursor;
            while (next < text.size() && text[next].bytes == "\r") {
                ++next;
            }
            if (next < text.size() && text[next].bytes == "\n") {
                cursor = next + 1;
            }
        }
        return static_cast<int>(column - filled);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ScratchFile file;
    FuzzedDataProvider in(data, size);
    int capacity = in.ConsumeIntegralInRange(2, 300);
    int tabWidth = in.ConsumeIntegralInRange(-2, 40);
    bool expandTabs = in.ConsumeBool();
    int codePage = in.ConsumeBool() ? 1252 : in.PickValueInArray({1250, 1251, 1255, 1258, 932});
    // Small pieces make lines, tabs, characters and line ends cross the reads of the file.
    std::uint32_t chunk = in.ConsumeBool() ? TextBuffer::kDefaultReadChunk
                                           : in.ConsumeIntegralInRange<std::uint32_t>(1, 64);
    std::size_t sizes[4];
    for (std::size_t& outSize : sizes) {
        outSize = in.ConsumeIntegralInRange<std::size_t>(2, 300);
    }
    std::vector<std::uint8_t> bytes = in.ConsumeRemainingBytes<std::uint8_t>();
    file.Write(bytes.data(), bytes.size());

    // The whole decoded text, in characters.
    std::string decoded;
    {
        DecodedFile whole;
        whole.SetCodePage(codePage);
        std::uint64_t fileSize = 0;
        FUZZ_CHECK(whole.Open(file.Path(), &fileSize));
        std::vector<char> piece(3 * bytes.size() + DecodedFile::kMinRoom);
        for (std::size_t got; (got = whole.Read(piece.data(), piece.size())) > 0;) {
            decoded.append(piece.data(), got);
        }
    }
    std::vector<Char> chars;
    for (std::size_t at = 0; at < decoded.size();) {
        CellChar ch = NextCellChar(decoded.data(), decoded.size(), at);
        chars.push_back({decoded.substr(at, ch.bytes), static_cast<std::size_t>(ch.cells)});
        at += ch.bytes;
    }

    TextBuffer buffer;
    buffer.SetTabWidth(tabWidth);
    buffer.SetExpandTabs(expandTabs);
    buffer.SetReadChunk(chunk);
    buffer.SetCodePage(codePage);
    FUZZ_CHECK(buffer.Open(file.Path(), capacity));
    FUZZ_CHECK(buffer.BytesRead() == bytes.size());

    Model model{chars};
    model.tabWidth = tabWidth < 1 ? 1 : tabWidth;
    model.expandTabs = expandTabs;
    std::string expected;
    std::string first;
    // Each line is read into a heap block of exactly the caller's size, so a write past it
    // is caught by the address sanitizer.
    for (std::size_t n = 0; !buffer.AtEnd(); ++n) {
        FUZZ_CHECK(model.cursor < chars.size());
        std::size_t outSize = sizes[n % 4];
        std::unique_ptr<char[]> out(new char[outSize]);
        std::memset(out.get(), '#', outSize);
        CellRun visible;
        int width = buffer.ReadLine(out.get(), outSize, &visible);
        int modelWidth =
            model.ReadLine(static_cast<std::size_t>(capacity) - 1, outSize - 1, expected);
        FUZZ_CHECK(width == modelWidth);
        FUZZ_CHECK(std::memchr(out.get(), '\0', outSize) != nullptr);
        FUZZ_CHECK(expected.size() < outSize);
        FUZZ_CHECK(std::memcmp(out.get(), expected.data(), expected.size()) == 0);
        FUZZ_CHECK(out[expected.size()] == '\0');
        FUZZ_CHECK(visible.text == out.get() && visible.length <= expected.size());
        FUZZ_CHECK(visible.cells == CountCells(out.get(), visible.length));
        if (n == 0) {
            first = expected;
        }
    }
    FUZZ_CHECK(model.cursor == chars.size());  // both reached the end together

    // At the end a line is empty; after a rewind the first line comes again.
    char last[8];
    std::memset(last, '#', sizeof last);
    FUZZ_CHECK(buffer.ReadLine(last, sizeof last) == 0 && last[0] == '\0');
    if (!bytes.empty()) {
        buffer.Rewind();
        std::size_t outSize = sizes[0];
        std::unique_ptr<char[]> out(new char[outSize]);
        buffer.ReadLine(out.get(), outSize);
        FUZZ_CHECK(std::memcmp(out.get(), first.data(), first.size()) == 0);
        FUZZ_CHECK(out[first.size()] == '\0');
    }
    return 0;
}
