// TextBuffer: reading a file and cutting it into lines.
#include "text/text_buffer.h"

#include <cassert>
#include <cstdint>
#include <cstring>

#include "text/byte_ranges.h"
#include "text/letter_blocks.h"

namespace {

// Copies from `text` to `out` the bytes that a line takes as they are, at most `count`: every
// byte above the carriage return and below 0x80 (one cell each). Returns how many. Sixteen bytes
// (or eight, without SSE2) are tested and copied at a time; `out` must have room for `count` bytes,
// and the block that holds the first other byte is stored whole when the room allows, its bytes
// behind the copied ones being of no meaning.
std::size_t CopyPlainRun(char* out, const char* text, std::size_t count) {
    std::size_t length = 0;
#if defined(__SSE2__)
    const __m128i past = _mm_set1_epi8('\r' + 1);
    while (length + 16 <= count) {
        __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + length));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + length), bytes);
        // A bit for each byte up to the carriage return and each from 0x80: as signed bytes,
        // those below 14.
        int stops = _mm_movemask_epi8(_mm_cmplt_epi8(bytes, past));
        if (stops != 0) {
            return length + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(stops)));
        }
        length += 16;
    }
#endif
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    constexpr std::uint64_t kHighBits = 0x8080808080808080u;
    while (length + 8 <= count) {
        std::uint64_t word;
        std::memcpy(&word, text + length, sizeof word);
        std::memcpy(out + length, &word, sizeof word);
        // A high bit for each byte below 14 and each from 0x80; the lowest one marks the
        // first such byte (a borrow can only mark bytes above a true one).
        std::uint64_t below = ((word - kOnes * ('\r' + 1)) | word) & kHighBits;
        if (below != 0) {
            return length + static_cast<std::size_t>(__builtin_ctzll(below) >> 3);
        }
        length += 8;
    }
#endif
    while (length<count&& static_cast<unsigned char>(text[length])> '\r' &&
           static_cast<unsigned char>(text[length]) < 0x80) {
        out[length] = text[length];
        ++length;
    }
    return length;
}

#if defined(__SSE2__)
const bool kProcessorHasWideBlocks = ProcessorHasWideBlocks();
#endif

// Bytes of a block that CopyBlock tests and copies at once.
constexpr std::size_t kBlock = 64;

// Copies the kBlock bytes at `text` to `out` and returns a bit for each of them that a line
// does not take as it is (as CopyPlainRun tells them). A line that ends within the block
// costs no branch on its length, which no processor can foresee; that pays for testing and
// copying more bytes than most lines hold.
inline std::uint64_t CopyBlock(char* out, const char* text) {
    std::uint64_t stops = 0;
#if defined(__SSE2__)
    // The ordinary bytes are marked, those above the carriage return as signed bytes: one
    // comparison a part (a test for the others would take two), and one inversion at the end.
    const __m128i highest = _mm_set1_epi8('\r');
    std::uint64_t ordinary = 0;
    for (int i = 0; i < 4; ++i) {
        __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + 16 * i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16 * i), bytes);
        int marks = _mm_movemask_epi8(_mm_cmpgt_epi8(bytes, highest));
        ordinary |= static_cast<std::uint64_t>(static_cast<unsigned>(marks)) << (16 * i);
    }
    stops = ~ordinary;
#else
    std::memcpy(out, text, kBlock);
    for (std::size_t i = 0; i < kBlock; ++i) {
        auto byte = static_cast<unsigned char>(text[i]);
        stops |= static_cast<std::uint64_t>(byte <= '\r' || byte >= 0x80) << i;
    }
#endif
    return stops;
}

#if defined(__SSE2__)
// CopyBlock in two halves of 32 bytes, for processors with AVX2 (told at run time).
__attribute__((target("avx2"))) inline std::uint64_t CopyWideBlock(char* out, const char* text) {
    std::uint64_t ordinary = 0;
    for (int half = 0; half < 2; ++half) {
        __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(text + 32 * half));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 32 * half), bytes);
        ordinary |= WideMask(_mm256_cmpgt_epi8(bytes, _mm256_set1_epi8('\r')), half);
    }
    return ~ordinary;
}
#endif

// The cells of the last character of valid UTF-8 text[0, length) that covers any (0 for none):
// the character that filled a line.
std::size_t LastCharCells(const char* text, std::size_t length) {
    while (length > 0) {
        if (static_cast<unsigned char>(text[length - 1]) < 0x80) {
            return 1;
        }
        std::size_t start = length - 1;
        while (start > 0 && length - start < kMaxUtf8Bytes &&
               (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) {
            --start;
        }
        char32_t code = 0;
        DecodeUtf8(text + start, length - start, &code);
        int cells = CharCells(code);
        if (cells > 0) {
            return static_cast<std::size_t>(cells);
        }
        length = start;
    }
    return 0;
}

// Stores `count` blanks where `room` bytes may be written: a tab's few blanks in one block
// when the room allows (what is stored behind them is of no meaning).
void PutBlanks(char* out, std::size_t room, std::size_t count) {
    if (count <= 16 && room >= 16) {
        std::memcpy(out, "                ", 16);
        return;
    }
    std::memset(out, ' ', count);
}

}  // namespace

#if defined(__SSE2__)
bool TextBuffer::wideBlocks_ = kProcessorHasWideBlocks;
#else
bool TextBuffer::wideBlocks_ = false;
#endif

bool TextBuffer::UseWideBlocks(bool use) {
    bool was = wideBlocks_;
#if defined(__SSE2__)
    wideBlocks_ = use && kProcessorHasWideBlocks;
#else
    (void)use;
#endif
    return was;
}

TextBuffer::TextBuffer() {
    SetTabWidth(kDefaultTabWidth);
}

void TextBuffer::SetTabWidth(int width) {
    tabWidth_ = width < 1 ? 1 : width;
    for (std::size_t column = 0; column < sizeof blanksAt_; ++column) {
        int blanks = tabWidth_ - static_cast<int>(column) % tabWidth_;
        blanksAt_[column] = static_cast<unsigned char>(blanks <= 255 ? blanks : 0);
    }
}

bool TextBuffer::Load(const char* path, std::uint32_t spare) {
    InputFile file;
    if (!file.Open(path)) {
        return false;
    }
    std::uint64_t size = 0;
    // BytesRead is 32 bits wide: a file of 4 GiB or more is refused rather than read in part.
    if (!file.Size(&size) || size > UINT32_MAX - static_cast<std::uint64_t>(spare)) {
        return false;
    }
    Release();
    std::size_t blockSize = static_cast<std::size_t>(size) + spare;
    if (!block_.Allocate(blockSize == 0 ? 1 : blockSize, true)) {
        return false;
    }
    std::uint32_t got = 0;
    bool ok = file.Read(block_.Data(), static_cast<std::uint32_t>(size), &got);
    file.Close();
    if (!ok) {
        Release();
        return false;
    }
    data_ = block_.Data();
    readable_ = static_cast<std::uint32_t>(block_.Size());
    bytesRead_ = got;
    cursor_ = 0;
    end_ = got;
    return true;
}

bool TextBuffer::Open(const char* path, int lineCapacity) {
    assert(lineCapacity >= 2);
    lineCapacity_ = lineCapacity < 2 ? 2 : lineCapacity;
    // The file is opened before the buffer lets its old text go, so that a failing Open
    // leaves it as it was; the source's encoding told stays only for a file it opened.
    DecodedFile probe;
    std::uint64_t size = 0;
    // The same limit as Load's, so that a file prints the same whichever way it is read.
    if (!probe.Open(path, &size) || size > UINT32_MAX - 2u) {
        return false;
    }
    probe.Close();
    Release();
    if (!source_.Open(path, &size) || size > UINT32_MAX - 2u) {
        Release();
        return false;
    }
    // A decoded text may take three bytes for one of the file (a legacy character or U+FFFD
    // for a byte): a small file's piece holds all of it.
    std::uint64_t whole = 3 * size + DecodedFile::kMinRoom;
    std::uint32_t pieceSize = whole < readChunk_ ? static_cast<std::uint32_t>(whole) : readChunk_;
    if (pieceSize < DecodedFile::kMinRoom) {
        pieceSize = DecodedFile::kMinRoom;
    }
    // One byte more for a terminator after the piece, and room behind it for the last block
    // of a piece that ReadLine tests (what is found there is never taken).
    if (!piece_.Allocate(std::size_t{pieceSize} + 1 + kPiecePadding, false)) {
        Release();
        return false;
    }
    std::memset(piece_.Data() + pieceSize, 0, 1 + kPiecePadding);
    readable_ = static_cast<std::uint32_t>(piece_.Size());
    pieceSize_ = pieceSize;
    piece_.Data()[0] = '\0';
    data_ = piece_.Data();
    bytesRead_ = static_cast<std::uint32_t>(size);
    more_ = size > 0;
    if (more_ && !Refill() && !source_.AtEnd()) {
        Release();
        return false;
    }
    return true;
}

bool TextBuffer::Refill() {
    if (!more_ || !source_.IsOpen()) {
        return false;  // what is held stays, so that Rewind finds a whole text again
    }
    windowStart_ += end_;
    windowSource_ = source_.ResumePoint();
    cursor_ = 0;
    end_ = static_cast<std::uint32_t>(source_.Read(piece_.Data(), pieceSize_));
    piece_.Data()[end_] = '\0';
    if (end_ == 0 || source_.AtEnd()) {
        more_ = false;
        if (windowStart_ == 0) {
            source_.Close();  // the whole text is held: the file is free for others again
        }
    }
    return end_ > 0;
}

void TextBuffer::Rewind() {
    pendingEmptyLine_ = false;
    if (windowStart_ == 0) {
        cursor_ = 0;  // the start is still held
        return;
    }
    windowStart_ = 0;
    cursor_ = 0;
    end_ = 0;
    more_ = source_.IsOpen() && bytesRead_ > 0 && source_.Rewind();
    Refill();
    windowStart_ = 0;
    windowSource_ = 0;
}

bool TextBuffer::Seek(const TextPosition& position) {
    pendingEmptyLine_ = position.pendingEmptyLine;
    if (position.windowStart == windowStart_ && data_ != nullptr) {
        // The piece is held.
        cursor_ = position.cursor <= end_ ? position.cursor : end_;
        return position.cursor <= end_;
    }
    cursor_ = 0;
    end_ = 0;
    more_ = source_.IsOpen() && bytesRead_ > 0 && source_.ResumeAt(position.source);
    windowStart_ = position.windowStart;
    if (!more_) {
        pendingEmptyLine_ = false;
        return false;
    }
    Refill();
    // The piece read again holds the same text from its start; should it be shorter, the
    // place lies in a later one.
    std::uint32_t cursor = position.cursor;
    while (cursor > end_ && more_) {
        cursor -= end_;
        Refill();
    }
    cursor_ = cursor <= end_ ? cursor : end_;
    return cursor <= end_;
}

void TextBuffer::CloseFile() {
    source_.Close();
    more_ = false;
}

void TextBuffer::Release() {
    block_.Release();
    piece_.Release();
    source_.Close();
    data_ = nullptr;
    readable_ = 0;
    pieceSize_ = 0;
    cursor_ = 0;
    end_ = 0;
    bytesRead_ = 0;
    windowStart_ = 0;
    windowSource_ = 0;
    more_ = false;
    pendingEmptyLine_ = false;
}

template <bool kWide>
__attribute__((always_inline)) inline int TextBuffer::ReadPlain(char* out, std::size_t outSize,
                                                                CellRun* visible) {
    const std::uint32_t start = cursor_;
    const std::size_t cellLimit = static_cast<std::size_t>(lineCapacity_) - 1;
    const std::size_t limit = cellLimit < outSize - 1 ? cellLimit : outSize - 1;
    const std::size_t available = end_ - start;
    // Bytes of the piece from the line's start that the line may take here: one less than
    // the room, so that a line read here never fills it.
    const std::size_t count = limit < available ? limit : available;
    // Every block is tested whole within the room of `out` and the bytes that may be read.
    if (outSize < 2 || outSize - limit < kBlock || readable_ - start < count + kBlock) {
        return ReadAnyLine(out, outSize, visible, 0, 0);
    }
    const char* at = data_ + start;
    const char* const stop = at + count;
    char* put = out;
    char* const room = out + limit;
    while (at < stop) {
        auto byte = static_cast<unsigned char>(*at);
        if (byte != '\t') {
#if defined(__SSE2__)
            std::uint64_t stops = kWide ? CopyWideBlock(put, at) : CopyBlock(put, at);
#else
            std::uint64_t stops = CopyBlock(put, at);
#endif
            if (stops == 0) {
                if (kBlock >= static_cast<std::size_t>(stop - at) ||
                    kBlock >= static_cast<std::size_t>(room - put)) {
                    break;  // the room or the piece ends first
                }
                put += kBlock;
                at += kBlock;
                continue;
            }
            auto run = static_cast<std::size_t>(__builtin_ctzll(stops));
            if (run >= static_cast<std::size_t>(stop - at) ||
                run >= static_cast<std::size_t>(room - put)) {
                break;
            }
            put += run;
            at += run;
            byte = static_cast<unsigned char>(*at);
        }
        if (byte == '\n') {
            cursor_ = static_cast<std::uint32_t>(at + 1 - data_);
            *put = '\0';
            auto written = static_cast<std::size_t>(put - out);
            if (visible != nullptr) {
                visible->text = out;
                visible->length = written;
                visible->cells = written;
                visible->ascii = true;
            }
            return static_cast<int>(written);
        }
        if (byte == '\r') {
            ++at;
            continue;
        }
        if (byte == '\t' && expandTabs_) {
            auto column = static_cast<std::size_t>(put - out);
            std::size_t blanks = column < sizeof blanksAt_ ? blanksAt_[column] : 0;
            if (blanks == 0 || blanks >= static_cast<std::size_t>(room - put)) {
                break;
            }
            ++at;
            PutBlanks(put, outSize - column, blanks);
            put += blanks;
            continue;
        }
        if (byte == '\0' || byte >= 0x80 || room - put <= 1) {
            break;
        }
        ++at;
        *put++ = static_cast<char>(byte);
    }
    cursor_ = static_cast<std::uint32_t>(at - data_);
    auto begun = static_cast<std::size_t>(put - out);
    if (static_cast<unsigned char>(*at) >= 0x80) {
        // A line beyond ASCII from here: on in blocks of letters.
        return kWide ? ReadWideLetterLine(out, outSize, visible, begun)
                     : ReadLetterLine(out, outSize, visible, begun);
    }
    return ReadAnyLine(out, outSize, visible, begun, 0);
}

int TextBuffer::ReadPlainLine(char* out, std::size_t outSize, CellRun* visible) {
    return ReadPlain<false>(out, outSize, visible);
}

#if defined(__SSE2__)
__attribute__((target("avx2")))
#endif
int TextBuffer::ReadWidePlainLine(char* out, std::size_t outSize, CellRun* visible) {
    return ReadPlain<true>(out, outSize, visible);
}

template <bool kWide>
__attribute__((always_inline)) inline int TextBuffer::ReadLetters(char* out, std::size_t outSize,
                                                                  CellRun* visible,
                                                                  std::size_t begun) {
#if defined(__SSE2__)
    const char* const text = data_;
    const char* at = text + cursor_;
    const char* const end = text + end_;
    const std::size_t cellLimit = static_cast<std::size_t>(lineCapacity_) - 1;
    const std::size_t byteLimit = outSize - 1;
    std::size_t written = begun;
    std::size_t extra = 0;
    // Each block lies within the piece and within what the line may still take, so that it
    // never fills the line (a block adds no more cells than bytes).
    while (end - at >= 64 && outSize >= 2) {
        std::size_t cellEnd = cellLimit + extra;
        std::size_t limit = cellEnd < byteLimit ? cellEnd : byteLimit;
        if (limit - written < 64) {
            break;
        }
        TextBlock block =
            kWide ? CopyWideTextBlock(out + written, at) : CopyTextBlock<4>(out + written, at);
        written += block.Taken();
        extra += block.Extra();
        at += block.Taken();
        if (!block.Stopped()) {
            continue;
        }
        // A line end, with or without a carriage return before it, ends the line; anything
        // else is read on by ReadAnyLine.
        std::size_t ending = at[0] == '\n' ? 1 : at[0] == '\r' && at[1] == '\n' ? 2 : 0;
        if (ending == 0) {
            break;
        }
        cursor_ = static_cast<std::uint32_t>(at + ending - text);
        out[written] = '\0';
        // An empty line tells nothing of the next one.
        lastBeyondAscii_ = extra != 0 || written == 0;
        std::size_t cells = written - extra;
        if (visible != nullptr) {
            visible->text = out;
            visible->length = written;
            visible->cells = cells;
            visible->ascii = extra == 0;
        }
        return static_cast<int>(cells);
    }
    cursor_ = static_cast<std::uint32_t>(at - text);
    return ReadAnyLine(out, outSize, visible, written, extra);
#else
    return ReadAnyLine(out, outSize, visible, begun, 0);
#endif
}

int TextBuffer::ReadLetterLine(char* out, std::size_t outSize, CellRun* visible,
                               std::size_t begun) {
    return ReadLetters<false>(out, outSize, visible, begun);
}

#if defined(__SSE2__)
__attribute__((target("avx2,popcnt")))
#endif
int TextBuffer::ReadWideLetterLine(char* out, std::size_t outSize, CellRun* visible,
                                   std::size_t begun) {
    return ReadLetters<true>(out, outSize, visible, begun);
}

int TextBuffer::ReadAnyLine(char* out, std::size_t outSize, CellRun* visible, std::size_t begun,
                            std::size_t extra) {
    assert(outSize >= 2);
    if (outSize < 2 || pendingEmptyLine_) {
        if (outSize < 2) {
            // No room for a character: skip the line so that callers still reach the end.
            while ((cursor_ < end_ || Refill()) && data_[cursor_++] != '\n') {
            }
        }
        pendingEmptyLine_ = false;
        if (outSize >= 1) {
            out[0] = '\0';
        }
        if (visible != nullptr) {
            *visible = CellRun{};
            visible->text = out;
        }
        return 0;
    }
    // A line holds at most cellLimit cells and byteLimit bytes.
    const std::size_t cellLimit = static_cast<std::size_t>(lineCapacity_) - 1;
    const std::size_t byteLimit = outSize - 1;

    // The cursor and the end of the piece are kept in locals, which the compiler can hold in
    // registers (stores through `out` could otherwise alias the members), and given back to
    // the members around a refill and at the end.
    const char* text = data_;
    std::uint32_t cursor = cursor_;
    std::uint32_t end = end_;
    std::size_t readable = readable_;  // bytes that may be read from `text` on
    auto refill = [&]() {
        cursor_ = cursor;
        if (!Refill()) {
            return false;
        }
        text = data_;
        cursor = cursor_;
        end = end_;
        readable = readable_;
        return true;
    };

    std::size_t written = begun;
    // Bytes written beyond the cells they cover (`extra`): the column is written - extra.
    // ASCII adds nothing, so that while a line is ASCII its bytes are its cells, and `limit`
    // (the bytes written when the cells or the bytes run out, if the rest were ASCII) changes
    // only at a character of more than one byte.
    const std::size_t cellsEnd = cellLimit + extra;
    std::size_t limit = cellsEnd < byteLimit ? cellsEnd : byteLimit;
    bool ascii = extra == 0;
    constexpr std::size_t kNoZero = static_cast<std::size_t>(-1);
    std::size_t visibleBytes = kNoZero;  // where the first zero byte was written
    std::size_t visibleCells = 0;
    bool visibleAscii = true;
    bool full = false;
    bool cutBefore = false;  // full, cut before a character that did not fit
    bool ended = false;      // the line end was taken
#if defined(__SSE2__)
    // After a line beyond ASCII the next one most likely is too: its runs go to the blocks of
    // letters from their start.
    const bool letters = lastBeyondAscii_;
#endif
    while (!full && (cursor < end || refill())) {
        // Most bytes are ordinary: copy a run of them at once, up to the end of the room or
        // of the piece.
        std::size_t room = limit - written;
        std::size_t available = end - cursor;
        std::size_t count = room < available ? room : available;
        std::size_t run = 0;
        auto first = static_cast<unsigned char>(text[cursor]);
#if defined(__SSE2__)
        const bool lettersNow = letters && first > '\r' && available >= 16 && room >= 16;
#else
        constexpr bool lettersNow = false;
#endif
        if (first == '\t' || first >= 0x80 || lettersNow) {
            // No run before it: indented source lines begin so, ReadLine hands lines over at
            // characters of more bytes, and a block would be copied for nothing.
        } else if (written + kBlock <= outSize && cursor + kBlock <= readable) {
            std::uint64_t stops = CopyBlock(out + written, text + cursor);
            if (count < kBlock) {
                stops |= ~std::uint64_t{0} << count;
            }
            if (stops == 0) {
                // A whole block of ordinary bytes, with room and text for all of it.
                written += kBlock;
                cursor += static_cast<std::uint32_t>(kBlock);
                full = written == limit;
                continue;
            }
            run = static_cast<std::size_t>(__builtin_ctzll(stops));
        } else {
            run = CopyPlainRun(out + written, text + cursor, count);
        }
        written += run;
        cursor += static_cast<std::uint32_t>(run);
        if (run == count) {
            full = written == limit;
            continue;  // else the run went to the end of the piece
        }

        // The run stopped at a byte that is not taken as it is.
        auto byte = static_cast<unsigned char>(text[cursor]);
        if (byte >= 0x80 || lettersNow) {
            // Characters of more than one byte (the pieces hold whole ones), and the short
            // runs of ASCII between them: in blocks where they can be, else one by one.
#if defined(__SSE2__)
            // Where a block can be taken, the character goes in it.
            bool decode = end - cursor < 16 || limit - written < 16;
#else
            constexpr bool decode = true;
#endif
            for (;;) {
                if (decode) {
                    char32_t code = 0;
                    const char* bytes = text + cursor;
                    std::size_t size = DecodeUtf8Valid(
                        reinterpret_cast<const unsigned char*>(bytes), end - cursor, &code);
                    std::size_t outBytes = size;
                    if (size == 0) {
                        // Not UTF-8 (a loaded text): U+FFFD for the byte.
                        code = kReplacementChar;
                        size = 1;
                        bytes = "\xEF\xBF\xBD";
                        outBytes = 3;
                    }
                    auto cells = static_cast<std::size_t>(CharCells(code));
                    std::size_t column = written - extra;
                    if (column + cells > cellLimit || written + outBytes > byteLimit) {
                        full = true;
                        if (written > 0) {
                            cutBefore = true;  // it starts the next line
                            break;
                        }
                        // Alone on its line it goes in all the same, wider than the line, unless no
                        // buffer could hold it: then it is passed over.
                        if (outBytes > byteLimit) {
                            cursor += static_cast<std::uint32_t>(size);
                            cutBefore = true;
                            break;
                        }
                    }
                    if (written + kMaxUtf8Bytes <= outSize && cursor + kMaxUtf8Bytes <= readable) {
                        std::memcpy(out + written, bytes, kMaxUtf8Bytes);  // one store, any size
                    } else {
                        std::memcpy(out + written, bytes, outBytes);
                    }
                    written += outBytes;
                    extra += outBytes - cells;
                    cursor += static_cast<std::uint32_t>(size);
                    ascii = false;
                    std::size_t cellEnd = cellLimit + extra;
                    limit = cellEnd < byteLimit ? cellEnd : byteLimit;
                    if (full || written >= limit || cursor >= end) {
                        full = full || written >= limit;
                        break;
                    }
                }
#if defined(__SSE2__)
                // Text in Latin, Greek or Cyrillic letters: blocks of them and ASCII at once,
                // while a block's cells and bytes surely fit.
                while (end - cursor >= 16 && limit - written >= 16) {
                    TextBlock block(0, 0, false);
                    if (end - cursor < 64 || limit - written < 64) {
                        block = CopyTextBlock<1>(out + written, text + cursor);
                    } else if (wideBlocks_) {
                        block = CopyWideTextBlock(out + written, text + cursor);
                    } else {
                        block = CopyTextBlock<4>(out + written, text + cursor);
                    }
                    written += block.Taken();
                    extra += block.Extra();
                    ascii = ascii && block.Extra() == 0;
                    cursor += block.Taken();
                    std::size_t blockEnd = cellLimit + extra;
                    limit = blockEnd < byteLimit ? blockEnd : byteLimit;
                    if (block.Stopped()) {
                        break;  // a stop or another character: as below
                    }
                }
                if (written >= limit || cursor >= end) {
                    full = written >= limit;
                    break;
                }
                if (text[cursor] == '\n') {
                    ++cursor;  // the line ends here
                    ended = true;
                    break;
                }
                decode = true;
#endif
                std::size_t rest = limit - written;
                std::size_t plain = end - cursor < rest ? end - cursor : rest;
                std::size_t ordinary = CopyPlainRun(out + written, text + cursor, plain);
                written += ordinary;
                cursor += static_cast<std::uint32_t>(ordinary);
                if (ordinary == plain) {
                    full = written == limit;
                    break;
                }
                if (static_cast<unsigned char>(text[cursor]) < 0x80) {
                    break;  // a line end, a tab or a control character
                }
            }
            if (ended) {
                break;
            }
            continue;
        }
        ++cursor;
        char ch = static_cast<char>(byte);
        if (ch == '\n') {
            break;
        }
        if (ch == '\r') {
            continue;
        }
        if (ch == '\t' && expandTabs_) {
            std::size_t column = written - extra;
            std::size_t blanks = column < sizeof blanksAt_ ? blanksAt_[column] : 0;
            if (blanks == 0) {
                auto width = static_cast<std::size_t>(tabWidth_);
                blanks = width - column % width;
            }
            if (blanks >= limit - written) {
                // The blanks fill the line: the rest of them is dropped.
                std::memset(out + written, ' ', limit - written);
                written = limit;
                full = true;
                break;
            }
            PutBlanks(out + written, outSize - written, blanks);
            written += blanks;
            continue;
        }
        if (ch == '\0' && visibleBytes == kNoZero) {
            visibleBytes = written;
            visibleCells = written - extra;
            visibleAscii = ascii;
        }
        out[written++] = ch;
        if (written == limit) {
            full = true;
            break;
        }
    }
    if (full) {
        // Characters of no width go with the one before them, as far as the bytes allow.
        while ((cursor < end || refill()) && static_cast<unsigned char>(text[cursor]) >= 0x80) {
            char32_t code = 0;
            std::size_t size = DecodeUtf8(text + cursor, end - cursor, &code);
            if (CharCells(code) != 0 || written + size > byteLimit) {
                break;
            }
            std::memcpy(out + written, text + cursor, size);
            written += size;
            extra += size;
            cursor += static_cast<std::uint32_t>(size);
            ascii = false;
        }
        // A line that filled the buffer exactly still owns the line end behind it. Carriage
        // returns before it are taken too: they would add nothing to the next line, unless
        // the text ends with them, when the next line is an empty one.
        bool tookReturn = false;
        while (cursor < end || refill()) {
            char ch = text[cursor];
            if (ch != '\r') {
                if (ch == '\n') {
                    ++cursor;
                }
                tookReturn = false;
                break;
            }
            ++cursor;
            tookReturn = true;
        }
        pendingEmptyLine_ = tookReturn;
    }
    cursor_ = cursor;
    lastBeyondAscii_ = !ascii;
    out[written] = '\0';
    std::size_t cells = written - extra;
    if (visible != nullptr) {
        bool zero = visibleBytes != kNoZero;
        visible->text = out;
        visible->length = zero ? visibleBytes : written;
        visible->cells = zero ? visibleCells : cells;
        visible->ascii = zero ? visibleAscii : ascii;
    }
    // Every character counts its cells, except that the one that filled a cut line is not
    // counted.
    if (full && !cutBefore) {
        cells -= LastCharCells(out, written);
    }
    return static_cast<int>(cells);
}
