// ViewerDocument: kind detection, line counting, the line index and line formatting.
#include "ui/viewer_document.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "text/char_cells.h"
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

// The offset after each line feed unit of UTF-16 text[0, length) (an even length), at most
// `room` of them, or just their count when `starts` is null.
std::uint64_t Utf16LineFeeds(const char* text, std::uint32_t length, bool little,
                             std::uint32_t base, std::uint32_t* starts, std::uint64_t room) {
    const auto* b = reinterpret_cast<const unsigned char*>(text);
    const std::uint32_t low = little ? 0 : 1;
    std::uint64_t found = 0;
    for (std::uint32_t at = 0; at + 1 < length && found < room; at += 2) {
        if (b[at + low] == '\n' && b[at + 1 - low] == 0) {
            if (starts != nullptr) {
                starts[found] = base + at + 2;
            }
            ++found;
        }
    }
    return found;
}

bool IsUtf16(const ViewEncoding& encoding) {
    return encoding.encoding == TextEncoding::kUtf16LE ||
           encoding.encoding == TextEncoding::kUtf16BE;
}

// Control characters that a text may hold: tab, line feed, vertical tab, form feed, carriage
// return and escape.
bool IsBinaryChar(char32_t code) {
    if (code < 0x20) {
        return code != '\t' && code != '\n' && code != '\v' && code != '\f' && code != '\r' &&
               code != 0x1B;
    }
    return code >= 0x7F && code <= 0x9F;
}

std::uint32_t MarkLength(const ViewEncoding& encoding, std::uint32_t length) {
    return encoding.markLength < length ? encoding.markLength : length;
}

}  // namespace

ViewKind DetectKind(const char* bytes, std::uint32_t length, const ViewEncoding& encoding) {
    std::uint32_t mark = MarkLength(encoding, length);
    std::uint32_t count = length - mark < kDetectBytes ? length - mark : kDetectBytes;
    TextDecoder decoder(encoding.encoding, encoding.legacy);
    // Decoded whole; a character cut by the 4 KiB is left out.
    char decoded[3 * kDetectBytes + kMaxDecodeStep];
    std::size_t used = 0;
    std::size_t size =
        decoder.Decode(bytes + mark, count, mark + count == length, decoded, sizeof decoded, &used);
    for (std::size_t at = 0; at < size;) {
        char32_t code = 0;
        at += DecodeUtf8(decoded + at, size - at, &code);
        if (IsBinaryChar(code)) {
            return ViewKind::kHex;
        }
    }
    return ViewKind::kText;
}

std::uint64_t CountLines(ViewKind kind, const char* bytes, std::uint32_t length,
                         const ViewEncoding& encoding) {
    if (kind == ViewKind::kHex) {
        return (static_cast<std::uint64_t>(length) + kHexBytesPerLine - 1) / kHexBytesPerLine;
    }
    std::uint32_t mark = MarkLength(encoding, length);
    if (IsUtf16(encoding)) {
        return 1 + Utf16LineFeeds(bytes + mark, length - mark,
                                  encoding.encoding == TextEncoding::kUtf16LE, mark, nullptr,
                                  UINT64_MAX);
    }
    return 1 + CountLineFeeds(bytes + mark, length - mark);
}

bool LineIndex::Build(const char* text, std::uint32_t length, std::uint64_t lineCount,
                      const ViewEncoding& encoding) {
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
    std::uint32_t mark = MarkLength(encoding, length);
    starts[0] = mark;
    std::uint64_t filled = 1;
    if (IsUtf16(encoding)) {
        filled +=
            Utf16LineFeeds(text + mark, length - mark, encoding.encoding == TextEncoding::kUtf16LE,
                           mark, starts + 1, lineCount - 1);
    } else {
        filled += FillLineStarts(text + mark, length - mark, starts + 1, lineCount - 1);
        for (std::uint64_t i = 1; i < filled; ++i) {
            starts[i] += mark;
        }
    }
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
                           int tabWidth, const ViewEncoding& encoding, char* out,
                           std::size_t* cells) {
    if (tabWidth < 1) {
        tabWidth = 1;
    }
    const auto width = static_cast<std::size_t>(tabWidth);
    constexpr std::size_t kMaxCells = kViewerMaxLineChars;
    constexpr std::size_t kMaxBytes = kViewerLineBufferSize - 1;
    const bool utf16 = IsUtf16(encoding);
    const std::uint32_t low = encoding.encoding == TextEncoding::kUtf16BE ? 1 : 0;
    TextDecoder decoder(encoding.encoding, encoding.legacy);
    // The line is decoded a piece at a time: a long one is not decoded past what shows.
    constexpr std::uint32_t kPiece = 256;
    char decoded[3 * kPiece + kMaxDecodeStep];
    std::size_t written = 0;
    std::size_t column = 0;
    bool done = false;
    std::uint32_t at = start;
    while (!done && at < length) {
        // Up to the line feed, or kPiece bytes.
        std::uint32_t end = length - at < kPiece ? length : at + kPiece;
        bool lineEnds = false;
        if (utf16) {
            for (std::uint32_t i = at; i + 1 < end; i += 2) {
                if (text[i + low] == '\n' && text[i + 1 - low] == 0) {
                    end = i;
                    lineEnds = true;
                    break;
                }
            }
        } else {
            const void* feed = std::memchr(text + at, '\n', end - at);
            if (feed != nullptr) {
                end = static_cast<std::uint32_t>(static_cast<const char*>(feed) - text);
                lineEnds = true;
            }
        }
        std::size_t used = 0;
        std::size_t size = decoder.Decode(text + at, end - at, lineEnds || end == length, decoded,
                                          sizeof decoded, &used);
        for (std::size_t i = 0; i < size && !done;) {
            CellChar ch = NextCellChar(decoded, size, i);
            const char* bytes = decoded + i;
            i += ch.bytes;
            if (ch.code == '\r') {
                continue;
            }
            if (ch.code == '\t') {
                std::size_t blanks = width - column % width;
                for (; blanks > 0 && column < kMaxCells; --blanks) {
                    out[written++] = ' ';
                    ++column;
                }
                done = column == kMaxCells;
                continue;
            }
            auto charCells = static_cast<std::size_t>(ch.cells);
            if ((charCells > 0 && column + charCells > kMaxCells) ||
                written + ch.bytes > kMaxBytes) {
                done = true;
                break;
            }
            std::memcpy(out + written, bytes, ch.bytes);
            written += ch.bytes;
            column += charCells;
        }
        at += static_cast<std::uint32_t>(used);
        if (used == 0 || (lineEnds && at >= end)) {
            break;
        }
    }
    out[written] = '\0';
    if (cells != nullptr) {
        *cells = column;
    }
    return written;
}

void ViewerDocument::SetCodePage(int codePage) {
    if (codePage != codePage_) {
        codePage_ = codePage;
        legacy_.reset();
    }
}

bool ViewerDocument::Open(const char* path, ViewKind kind) {
    Close();
    if (!buffer_.Load(path, 2)) {
        buffer_.Release();
        return false;
    }
    const char* text = buffer_.Text();
    std::uint32_t length = buffer_.BytesRead();
    ByteOrderMark told = DetectEncoding(text, length);
    if (told.encoding == TextEncoding::kLegacy && legacy_ == nullptr) {
        legacy_ = std::make_unique<LegacyCodePage>(codePage_);
    }
    encoding_.encoding = told.encoding;
    encoding_.markLength = static_cast<std::uint32_t>(told.length);
    encoding_.legacy = legacy_.get();
    kind_ = kind == ViewKind::kChoose ? DetectKind(text, length, encoding_) : kind;
    lineCount_ = CountLines(kind_, text, length, encoding_);
    if (kind_ == ViewKind::kText && !index_.Build(text, length, lineCount_, encoding_)) {
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

std::size_t ViewerDocument::FormatLine(std::uint64_t line, char* out, std::size_t* cells) const {
    out[0] = '\0';
    if (cells != nullptr) {
        *cells = 0;
    }
    if (line >= lineCount_) {
        return 0;
    }
    const char* text = buffer_.Text();
    std::uint32_t length = buffer_.BytesRead();
    if (kind_ == ViewKind::kHex) {
        std::uint64_t offset = line * kHexBytesPerLine;
        std::uint64_t remaining = length - offset;
        int count = remaining < kHexBytesPerLine ? static_cast<int>(remaining) : kHexBytesPerLine;
        std::size_t written =
            FormatHexLine(static_cast<std::uint32_t>(offset),
                          reinterpret_cast<const unsigned char*>(text + offset), count, out);
        if (cells != nullptr) {
            *cells = written;
        }
        return written;
    }
    return FormatTextLine(text, length, index_.Start(line), kViewerTabWidth, encoding_, out, cells);
}
