// ViewerDocument: kind detection, line counting, the line index and line formatting.
#include "ui/viewer_document.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "ui/hex_line.h"

namespace {

// Calls `visit(offset)` for the offset of every line feed in `bytes`, in order. The C
// runtime's memchr is a byte loop on some systems, and a 100 MB file is scanned twice before
// the viewer shows anything, so whole 16-byte blocks are compared at once where the processor
// allows.
template <typename Visit>
void ForEachLineFeed(const char* bytes, std::uint32_t length, Visit visit) {
    std::uint32_t at = 0;
#if defined(__SSE2__)
    const __m128i lineFeed = _mm_set1_epi8('\n');
    for (; length - at >= 16; at += 16) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at));
        unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, lineFeed)));
        while (mask != 0) {
            visit(at + static_cast<std::uint32_t>(__builtin_ctz(mask)));
            mask &= mask - 1;
        }
    }
#endif
    for (; at < length; ++at) {
        if (bytes[at] == '\n') {
            visit(at);
        }
    }
}

std::uint64_t CountLineFeeds(const char* bytes, std::uint32_t length) {
    std::uint64_t count = 0;
    std::uint32_t at = 0;
#if defined(__SSE2__)
    const __m128i lineFeed = _mm_set1_epi8('\n');
    for (; length - at >= 16; at += 16) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at));
        unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, lineFeed)));
        count += static_cast<std::uint64_t>(__builtin_popcount(mask));
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
    std::uint64_t filled = 1;
    ForEachLineFeed(text, length, [&](std::uint32_t offset) {
        if (filled < lineCount) {
            starts[filled++] = offset + 1;
        }
    });
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
