// Fuzz target: TextBuffer::ReadLine against a byte-by-byte model of its rules, with random
// line capacities, caller buffer sizes and tab widths. Every line, its width and where the
// next one starts must agree with the model, and no line is written past the caller's buffer.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "fuzz/scratch_file.h"
#include "text/text_buffer.h"

namespace {

// The rules, one byte at a time: a tab becomes blanks up to the next stop (when expanded), a
// carriage return is dropped, a line feed ends the line, anything else is copied. The line
// ends when it holds `limit` characters; the character that filled it is not counted in the
// width, the blanks left of a cut tab are dropped, and a line end right behind a full line
// (carriage returns before it skipped) still belongs to that line.
struct Model {
    const std::vector<std::uint8_t>& text;
    std::size_t cursor = 0;
    int tabWidth = 8;
    bool expandTabs = true;

    int ReadLine(std::size_t limit, std::string& line) {
        line.clear();
        int column = 0;
        bool full = false;
        while (cursor < text.size() && !full) {
            char ch = static_cast<char>(text[cursor++]);
            if (ch == '\n') {
                break;
            }
            if (ch == '\r') {
                continue;
            }
            int count = (ch == '\t' && expandTabs) ? tabWidth - column % tabWidth : 1;
            char put = (ch == '\t' && expandTabs) ? ' ' : ch;
            for (int i = 0; i < count; ++i) {
                line += put;
                if (line.size() == limit) {
                    full = true;
                    break;
                }
                ++column;
            }
        }
        if (full) {
            std::size_t next = cursor;
            while (next < text.size() && text[next] == '\r') {
                ++next;
            }
            if (next < text.size() && text[next] == '\n') {
                cursor = next + 1;
            }
        }
        return column;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ScratchFile file;
    FuzzedDataProvider in(data, size);
    int capacity = in.ConsumeIntegralInRange(2, 300);
    int tabWidth = in.ConsumeIntegralInRange(-2, 40);
    bool expandTabs = in.ConsumeBool();
    // Small pieces make lines, tabs and line ends cross the reads of the opened file.
    std::uint32_t chunk = in.ConsumeBool() ? TextBuffer::kDefaultReadChunk
                                           : in.ConsumeIntegralInRange<std::uint32_t>(1, 64);
    std::size_t sizes[4];
    for (std::size_t& outSize : sizes) {
        outSize = in.ConsumeIntegralInRange<std::size_t>(2, 300);
    }
    std::vector<std::uint8_t> text = in.ConsumeRemainingBytes<std::uint8_t>();
    file.Write(text.data(), text.size());

    TextBuffer buffer;
    buffer.SetTabWidth(tabWidth);
    buffer.SetExpandTabs(expandTabs);
    buffer.SetReadChunk(chunk);
    FUZZ_CHECK(buffer.Open(file.Path(), capacity));
    FUZZ_CHECK(buffer.BytesRead() == text.size());
    // The first piece is held, terminated.
    std::size_t held = std::min<std::size_t>(text.size(), chunk);
    FUZZ_CHECK(held == 0 || std::memcmp(buffer.Text(), text.data(), held) == 0);
    FUZZ_CHECK(buffer.Text()[held] == '\0');

    Model model{text};
    model.tabWidth = tabWidth < 1 ? 1 : tabWidth;
    model.expandTabs = expandTabs;
    std::string expected;
    std::string first;
    // Each line is read into a heap block of exactly the caller's size, so a write past it
    // is caught by the address sanitizer.
    for (std::size_t n = 0; !buffer.AtEnd(); ++n) {
        FUZZ_CHECK(model.cursor < text.size());
        std::size_t outSize = sizes[n % 4];
        std::unique_ptr<char[]> out(new char[outSize]);
        std::memset(out.get(), '#', outSize);
        std::size_t limit = std::min<std::size_t>(outSize, static_cast<std::size_t>(capacity)) - 1;
        int width = buffer.ReadLine(out.get(), outSize);
        int modelWidth = model.ReadLine(limit, expected);
        FUZZ_CHECK(width == modelWidth);
        FUZZ_CHECK(std::memchr(out.get(), '\0', outSize) != nullptr);
        FUZZ_CHECK(expected.size() <= limit);
        FUZZ_CHECK(std::memcmp(out.get(), expected.data(), expected.size()) == 0);
        FUZZ_CHECK(out[expected.size()] == '\0');
        if (n == 0) {
            first = expected;
        }
    }
    FUZZ_CHECK(model.cursor == text.size());  // both reached the end together

    // At the end a line is empty; after a rewind the first line comes again.
    char last[8];
    std::memset(last, '#', sizeof last);
    FUZZ_CHECK(buffer.ReadLine(last, sizeof last) == 0 && last[0] == '\0');
    if (!text.empty()) {
        buffer.Rewind();
        std::size_t outSize = sizes[0];
        std::unique_ptr<char[]> out(new char[outSize]);
        buffer.ReadLine(out.get(), outSize);
        FUZZ_CHECK(std::memcmp(out.get(), first.data(), first.size()) == 0);
        FUZZ_CHECK(out[first.size()] == '\0');
    }
    return 0;
}
