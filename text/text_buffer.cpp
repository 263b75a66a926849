// TextBuffer: reading a file and cutting it into lines.
#include "text/text_buffer.h"

#include <cassert>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Copies from `text` to `out` the bytes that a line takes as they are, at most `count`: every
// byte above the carriage return. Returns how many. Sixteen bytes (or eight, without SSE2)
// are tested and copied at a time; `out` must have room for `count` bytes, and the block that
// holds the first other byte is stored whole when the room allows, its bytes behind the
// copied ones being of no meaning.
std::size_t CopyPlainRun(char* out, const char* text, std::size_t count) {
    std::size_t length = 0;
#if defined(__SSE2__)
    const __m128i highest = _mm_set1_epi8('\r');
    while (length + 16 <= count) {
        __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + length));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + length), bytes);
        // A bit for each byte up to the carriage return, as unsigned bytes.
        int stops = _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(bytes, highest), bytes));
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
        // A high bit for each byte below 14; the lowest one marks the first such byte (a
        // borrow can only mark bytes above a true one).
        std::uint64_t below = (word - kOnes * ('\r' + 1)) & ~word & kHighBits;
        if (below != 0) {
            return length + static_cast<std::size_t>(__builtin_ctzll(below) >> 3);
        }
        length += 8;
    }
#endif
    while (length<count&& static_cast<unsigned char>(text[length])> '\r') {
        out[length] = text[length];
        ++length;
    }
    return length;
}

// Bytes of a block that CopyBlock tests and copies at once.
constexpr std::size_t kBlock = 64;

// Copies the kBlock bytes at `text` to `out` and returns a bit for each of them that a line
// does not take as it is (as CopyPlainRun tells them). A line that ends within the block
// costs no branch on its length, which no processor can foresee; that pays for testing and
// copying more bytes than most lines hold.
inline std::uint64_t CopyBlock(char* out, const char* text) {
    std::uint64_t stops = 0;
#if defined(__SSE2__)
    const __m128i highest = _mm_set1_epi8('\r');
    for (int i = 0; i < 4; ++i) {
        __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + 16 * i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16 * i), bytes);
        int marks = _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(bytes, highest), bytes));
        stops |= static_cast<std::uint64_t>(static_cast<unsigned>(marks)) << (16 * i);
    }
#else
    std::memcpy(out, text, kBlock);
    for (std::size_t i = 0; i < kBlock; ++i) {
        stops |= static_cast<std::uint64_t>(static_cast<unsigned char>(text[i]) <= '\r') << i;
    }
#endif
    return stops;
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
    auto file = std::make_unique<InputFile>();
    std::uint64_t size = 0;
    // The same limit as Load's, so that a file prints the same whichever way it is read.
    if (!file->Open(path) || !file->Size(&size) || size > UINT32_MAX - 2u) {
        return false;
    }
    Release();
    std::uint32_t pieceSize = size < readChunk_ ? static_cast<std::uint32_t>(size) : readChunk_;
    // One byte more for a terminator after the piece, and room behind it for the last block
    // of a piece that ReadLine tests (what is found there is never taken).
    if (!piece_.Allocate(std::size_t{pieceSize} + 1 + kPiecePadding, false)) {
        return false;
    }
    std::memset(piece_.Data() + pieceSize, 0, 1 + kPiecePadding);
    readable_ = static_cast<std::uint32_t>(piece_.Size());
    pieceSize_ = pieceSize;
    piece_.Data()[0] = '\0';
    file_ = std::move(file);
    data_ = piece_.Data();
    fileSize_ = size;
    bytesRead_ = static_cast<std::uint32_t>(size);
    more_ = size > 0;
    if (more_ && !Refill()) {
        Release();
        return false;
    }
    return true;
}

bool TextBuffer::Refill() {
    if (!more_ || file_ == nullptr) {
        return false;  // what is held stays, so that Rewind finds a whole text again
    }
    windowStart_ += end_;
    cursor_ = 0;
    end_ = 0;
    std::uint32_t got = 0;
    bool ok = file_->Read(piece_.Data(), pieceSize_, &got);
    end_ = ok ? got : 0;
    piece_.Data()[end_] = '\0';
    fileRead_ += end_;
    if (end_ == 0 || fileRead_ >= fileSize_) {
        more_ = false;
        if (windowStart_ == 0) {
            file_.reset();  // the whole text is held: the file is free for others again
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
    fileRead_ = 0;
    more_ = file_ != nullptr && fileSize_ > 0 && file_->SeekToStart();
    Refill();
    windowStart_ = 0;
}

void TextBuffer::CloseFile() {
    file_.reset();
    more_ = false;
}

void TextBuffer::Release() {
    block_.Release();
    piece_.Release();
    file_.reset();
    data_ = nullptr;
    readable_ = 0;
    pieceSize_ = 0;
    cursor_ = 0;
    end_ = 0;
    bytesRead_ = 0;
    windowStart_ = 0;
    fileSize_ = 0;
    fileRead_ = 0;
    more_ = false;
    pendingEmptyLine_ = false;
}

int TextBuffer::ReadLine(char* out, std::size_t outSize, std::size_t* length) {
    assert(outSize >= 2);
    if (outSize < 2) {
        // No room for a character: skip the line so that callers still reach the end.
        while ((cursor_ < end_ || Refill()) && data_[cursor_++] != '\n') {
        }
        pendingEmptyLine_ = false;
        if (outSize == 1) {
            out[0] = '\0';
        }
        if (length != nullptr) {
            *length = 0;
        }
        return 0;
    }
    if (pendingEmptyLine_) {
        pendingEmptyLine_ = false;
        out[0] = '\0';
        if (length != nullptr) {
            *length = 0;
        }
        return 0;
    }
    std::size_t limit = static_cast<std::size_t>(lineCapacity_) - 1;
    if (outSize - 1 < limit) {
        limit = outSize - 1;
    }

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

    std::size_t written = 0;
    constexpr std::size_t kNoZero = static_cast<std::size_t>(-1);
    std::size_t visible = kNoZero;  // where the first zero byte was written
    bool full = false;
    while (!full && (cursor < end || refill())) {
        // Most bytes are ordinary: copy a run of them at once, up to the end of the room or
        // of the piece.
        std::size_t room = limit - written;
        std::size_t available = end - cursor;
        std::size_t count = room < available ? room : available;
        std::size_t run = 0;
        if (text[cursor] == '\t') {
            // No run before it: indented source lines begin so, and a block would be copied
            // for nothing.
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
        char ch = text[cursor++];
        if (ch == '\n') {
            break;
        }
        if (ch == '\r') {
            continue;
        }
        if (ch == '\t' && expandTabs_) {
            // Up to here every character took one column.
            std::size_t column = written;
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
        if (ch == '\0' && visible == kNoZero) {
            visible = written;
        }
        out[written++] = ch;
        if (written == limit) {
            full = true;
            break;
        }
    }
    if (full) {
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
    out[written] = '\0';
    if (length != nullptr) {
        *length = visible < written ? visible : written;
    }
    // Every character is one column wide, except that the one that filled a cut line is not
    // counted.
    return static_cast<int>(full ? written - 1 : written);
}
