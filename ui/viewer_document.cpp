// ViewerDocument: kind detection, line counting, the line index and line formatting.
#include "ui/viewer_document.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "ui/hex_line.h"

namespace {

int BitCount(std::uint64_t bits) {
    // Without a popcount instruction in the baseline instruction set, the library call would
    // cost more than the bit arithmetic.
    bits = bits - ((bits >> 1) & 0x5555555555555555ull);
    bits = (bits & 0x3333333333333333ull) + ((bits >> 2) & 0x3333333333333333ull);
    bits = (bits + (bits >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return static_cast<int>((bits * 0x0101010101010101ull) >> 56);
}

// Writes the offset after each line feed of `bytes` to `starts`, at most `room` of them, and
// returns how many it wrote. The C runtime's memchr is a byte loop on some systems, so 64
// bytes are compared at once where the processor allows. A text line is some 40 bytes long:
// a block holds one or two line feeds, in no predictable pattern, so the first four
// positions of a block are written without asking whether they exist (the count says how
// many do), which keeps the loop free of branches the processor would mispredict.
std::uint64_t FillLineStarts(const char* bytes, std::uint32_t length, std::uint32_t* starts,
                             std::uint64_t room) {
    std::uint64_t filled = 0;
    std::uint32_t at = 0;
#if defined(__SSE2__)
    const __m128i lineFeed = _mm_set1_epi8('\n');
    auto mask16 = [&](std::uint32_t offset) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + offset));
        return static_cast<std::uint64_t>(
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, lineFeed))));
    };
    constexpr std::uint64_t kTopBit = 1ull << 63;
    for (; length - at >= 64 && room - filled >= 64; at += 64) {
        std::uint64_t mask =
            mask16(at) | mask16(at + 16) << 16 | mask16(at + 32) << 32 | mask16(at + 48) << 48;
        const int count = BitCount(mask);
        std::uint32_t* out = starts + filled;
        for (int i = 0; i < 4; ++i) {
            // With no bit left this writes a position past `count`, which the next block
            // overwrites; the top bit keeps the count of trailing zeros defined.
            out[i] = at + 1 + static_cast<std::uint32_t>(__builtin_ctzll(mask | kTopBit));
            mask &= mask - 1;
        }
        for (int i = 4; mask != 0; ++i) {
            out[i] = at + 1 + static_cast<std::uint32_t>(__builtin_ctzll(mask));
            mask &= mask - 1;
        }
        filled += static_cast<std::uint64_t>(count);
    }
#endif
    for (; at < length && filled < room; ++at) {
        if (bytes[at] == '\n') {
            starts[filled++] = at + 1;
        }
    }
    return filled;
}

std::uint64_t CountLineFeeds(const char* bytes, std::uint32_t length) {
    std::uint64_t count = 0;
    std::uint32_t at = 0;
#if defined(__SSE2__)
    // Each byte lane counts down by one per line feed (a match compares as -1) for at most
    // 255 blocks, then the lanes are summed.
    const __m128i lineFeed = _mm_set1_epi8('\n');
    const __m128i zero = _mm_setzero_si128();
    while (length - at >= 16) {
        std::uint32_t blocks = (length - at) / 16;
        if (blocks > 255) {
            blocks = 255;
        }
        __m128i lanes = zero;
        for (std::uint32_t i = 0; i < blocks; ++i, at += 16) {
            __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at));
            lanes = _mm_sub_epi8(lanes, _mm_cmpeq_epi8(block, lineFeed));
        }
        __m128i sums = _mm_sad_epu8(lanes, zero);
        count += static_cast<std::uint64_t>(_mm_cvtsi128_si32(sums)) +
                 static_cast<std::uint64_t>(_mm_cvtsi128_si32(_mm_srli_si128(sums, 8)));
    }
#endif
    for (; at < length; ++at) {
        count += bytes[at] == '\n' ? 1 : 0;
    }
    return count;
}

bool IsTextByte(unsigned char byte) {
    return (byte >= 0x20 && byte <= 0x7F) || byte == '\r' || byte == '\n';
}

}  // namespace

ViewKind DetectKind(const char* bytes, std::uint32_t length) {
    std::uint32_t count = length < kDetectBytes ? length : kDetectBytes;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (!IsTextByte(static_cast<unsigned char>(bytes[i]))) {
            return ViewKind::kHex;
        }
    }
    return ViewKind::kText;
}

std::uint64_t CountLines(ViewKind kind, const char* bytes, std::uint32_t length) {
    if (kind == ViewKind::kHex) {
        return (static_cast<std::uint64_t>(length) + kHexBytesPerLine - 1) / kHexBytesPerLine;
    }
    return 1 + CountLineFeeds(bytes, length);
}

bool LineIndex::Build(const char* text, std::uint32_t length, std::uint64_t lineCount) {
    Release();
    if (lineCount == 0) {
        return true;
    }
    // Checked, so a line count no allocation can hold fails instead of wrapping.
    if (lineCount > SIZE_MAX / sizeof(std::uint32_t)) {
        return false;
    }
    if (!block_.Allocate(static_cast<std::size_t>(lineCount) * sizeof(std::uint32_t), false)) {
        return false;
    }
    auto* starts = reinterpret_cast<std::uint32_t*>(block_.Data());
    starts[0] = 0;
    std::uint64_t filled = 1 + FillLineStarts(text, length, starts + 1, lineCount - 1);
    // Fewer line feeds than lines (a count made for other text): the rest start at the end.
    while (filled < lineCount) {
        starts[filled++] = length;
    }
    count_ = lineCount;
    return true;
}

void LineIndex::Release() {
    block_.Release();
    count_ = 0;
}

std::uint32_t LineIndex::Start(std::uint64_t line) const {
    return reinterpret_cast<const std::uint32_t*>(block_.Data())[line];
}

std::size_t FormatTextLine(const char* text, std::uint32_t length, std::uint32_t start,
                           int tabWidth, char* out) {
    if (tabWidth < 1) {
        tabWidth = 1;
    }
    std::size_t written = 0;
    for (std::uint32_t at = start; at < length && written < kViewerMaxLineChars; ++at) {
        char ch = text[at];
        if (ch == '\n') {
            break;
        }
        if (ch == '\r') {
            continue;
        }
        if (ch == '\t') {
            std::size_t blanks =
                static_cast<std::size_t>(tabWidth) - written % static_cast<std::size_t>(tabWidth);
            while (blanks-- > 0 && written < kViewerMaxLineChars) {
                out[written++] = ' ';
            }
            continue;
        }
        out[written++] = ch;
    }
    out[written] = '\0';
    return written;
}

bool ViewerDocument::Open(const char* path, ViewKind kind) {
    Close();
    if (!buffer_.Load(path, 2)) {
        buffer_.Release();
        return false;
    }
    const char* text = buffer_.Text();
    std::uint32_t length = buffer_.BytesRead();
    kind_ = kind == ViewKind::kChoose ? DetectKind(text, length) : kind;
    lineCount_ = CountLines(kind_, text, length);
    if (kind_ == ViewKind::kText && !index_.Build(text, length, lineCount_)) {
        Close();
        return false;
    }
    return true;
}

void ViewerDocument::Close() {
    index_.Release();
    buffer_.Release();
    lineCount_ = 0;
}

std::size_t ViewerDocument::FormatLine(std::uint64_t line, char* out) const {
    out[0] = '\0';
    if (line >= lineCount_) {
        return 0;
    }
    const char* text = buffer_.Text();
    std::uint32_t length = buffer_.BytesRead();
    if (kind_ == ViewKind::kHex) {
        std::uint64_t offset = line * kHexBytesPerLine;
        std::uint64_t remaining = length - offset;
        int count = remaining < kHexBytesPerLine ? static_cast<int>(remaining) : kHexBytesPerLine;
        return FormatHexLine(static_cast<std::uint32_t>(offset),
                             reinterpret_cast<const unsigned char*>(text + offset), count, out);
    }
    return FormatTextLine(text, length, index_.Start(line), kViewerTabWidth, out);
}
