// Blocks of letters: runs of ASCII, of Latin, Greek and Cyrillic letters of two bytes and of
// characters of three bytes, taken 16 or 64 bytes at a time with the cells they cover, for
// the line reader (which copies them) and for cutting a line at a number of cells.
#pragma once

#if defined(__SSE2__)
#include <immintrin.h>

#include <cstddef>
#include <cstdint>

#include "text/byte_ranges.h"
#include "text/char_cells.h"

// What CopyTextBlock took of a block, in one word, so that it comes back in a register.
class TextBlock {
public:
    TextBlock(unsigned taken, std::size_t extra, bool stopped)
        : bits_(taken | static_cast<std::uint64_t>(stopped) << 7 |
                static_cast<std::uint64_t>(extra) << 8) {}
    // Bytes, from the first (at most 64).
    std::uint32_t Taken() const { return static_cast<std::uint32_t>(bits_ & 127); }
    // Bytes among them beyond the cells they cover (0: all ASCII).
    std::size_t Extra() const { return static_cast<std::size_t>(bits_ >> 8); }
    // Whether the block holds something else behind them.
    bool Stopped() const { return (bits_ & 128) != 0; }

private:
    std::uint64_t bits_;
};

// CopyTextBlock's answer from the masks of its kBytes bytes at `text` (a bit for each byte):
// the stops and bytes from 0x80, the continuation bytes, the first bytes it takes and those
// of three bytes among them. kBitCount: the processor counts bits.
template <unsigned kBytes, bool kBitCount>
inline TextBlock TakeTextBlock(const char* text, std::uint64_t stopsOrHigh, std::uint64_t tail,
                               std::uint64_t lead, std::uint64_t lead3) {
    // Up to the first byte of anything else (never a continuation byte), or the block's end.
    const std::uint64_t other = stopsOrHigh & ~(tail | lead);
    unsigned taken = kBytes;
    if (other != 0) {
        taken = static_cast<unsigned>(__builtin_ctzll(other));
    } else if ((lead3 >> (kBytes - 2) & 1) != 0) {
        taken = kBytes - 2;  // a character that goes on past the block's end is left out
    } else if ((lead >> (kBytes - 1) & 1) != 0) {
        taken = kBytes - 1;
    }
    // The bytes taken and the one behind them, where the continuation bytes asked for must
    // stand: the byte where they stop is none, so that a character cut there is a fault.
    const std::uint64_t checked = (std::uint64_t{2} << (taken < 63 ? taken : 63)) - 1;
    const std::uint64_t inTaken = taken < 64 ? checked >> 1 : checked;
    const std::uint64_t wanted = (lead << 1) | (lead3 << 2);  // the continuation bytes asked for
    if (((tail ^ wanted) & checked) != 0) {
        return TextBlock(0, 0, true);  // a continuation byte without its character, or a
                                       // character without it
    }
    // Each continuation byte is a byte beyond its character's one cell; a character of three
    // bytes that covers no cell or two gives one more or one less.
    std::uint64_t bits = tail & inTaken;
    std::size_t beyond = 0;
    if constexpr (kBitCount) {
        beyond = static_cast<std::size_t>(__builtin_popcountll(bits));
    } else {
        bits = bits - ((bits >> 1) & 0x5555555555555555u);
        bits = (bits & 0x3333333333333333u) + ((bits >> 2) & 0x3333333333333333u);
        bits = (bits + (bits >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
        beyond = static_cast<std::size_t>((bits * 0x0101010101010101u) >> 56);
    }
    for (std::uint64_t threes = lead3 & inTaken; threes != 0; threes &= threes - 1) {
        const auto* at = reinterpret_cast<const unsigned char*>(text) + __builtin_ctzll(threes);
        auto code =
            static_cast<char32_t>((at[0] & 0x0F) << 12 | (at[1] & 0x3F) << 6 | (at[2] & 0x3F));
        beyond = beyond + 1 - static_cast<std::size_t>(CharCellsFromTable(code));
    }
    return TextBlock(taken, beyond, taken < kBytes);
}

// Copies the 16 * kParts bytes at `text` to `out` (unless kCopy is false, when the block is
// only measured and `out` may be nullptr) and tells how many of them, from the first, are ordinary
// ASCII (every byte above the carriage return and below 0x80), whole letters of two bytes from
// U+0080 to U+02FF and U+0380 to U+047F (Latin, Greek and Cyrillic: one cell each, none combining)
// and whole characters of three bytes from U+1000 to U+CFFF and U+E000 to U+FFFF (their cells by
// the table); Stopped() is false when only the block's end (or a character that it cuts)
// ended them. The bytes behind the ones taken are of no meaning. `text` starts at a character's
// first byte.
template <int kParts, bool kCopy = true>
inline TextBlock CopyTextBlock(char* out, const char* text) {
    static_assert(kParts >= 1 && kParts <= 4, "at most 64 bytes, a bit for each");
    constexpr unsigned kBytes = 16 * kParts;
    // As signed bytes: the stops up to the carriage return 0..13, continuation bytes
    // 80..BF -128..-65, first bytes C2..CB -62..-53, CE..D1 -50..-47, E1..EC -31..-20 and
    // EE..EF -18..-17 (E0 and ED, whose second bytes are limited, are left to the decoder).
    std::uint64_t stopsOrHigh = 0, tail = 0, lead = 0, lead3 = 0;
    for (int part = 0; part < kParts; ++part) {
        __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + 16 * part));
        if constexpr (kCopy) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16 * part), bytes);
        }
        auto mask = [part](__m128i lanes) {
            return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(lanes)))
                   << (16 * part);
        };
        // The stops and every byte from 0x80: as signed bytes, those below 14.
        stopsOrHigh |= mask(_mm_cmplt_epi8(bytes, _mm_set1_epi8('\r' + 1)));
        tail |= mask(_mm_cmplt_epi8(bytes, _mm_set1_epi8(-64)));
        __m128i three = _mm_or_si128(ByteWithin(bytes, -31, -20), ByteWithin(bytes, -18, -17));
        __m128i two = _mm_or_si128(ByteWithin(bytes, -62, -53), ByteWithin(bytes, -50, -47));
        lead |= mask(_mm_or_si128(two, three));
        lead3 |= mask(three);
    }
    return TakeTextBlock<kBytes, false>(text, stopsOrHigh, tail, lead, lead3);
}

// CopyTextBlock<4> in two halves of 32 bytes, for processors with AVX2 (told at run time).
// The first bytes and continuation bytes are told by the two halves of each byte, looked up
// in two tables whose bits are ANDed: bit 7 a continuation byte (8..B, any low half), bit 0
// a first byte C2..CB or CE..CF, bit 1 D0..D1, bit 2 E1..EC or EE..EF.
template <bool kCopy = true>
__attribute__((target("avx2,popcnt"))) inline TextBlock CopyWideTextBlock(char* out,
                                                                          const char* text) {
    const __m256i highHalves = _mm256_setr_epi8(
        0, 0, 0, 0, 0, 0, 0, 0, -128, -128, -128, -128, 1, 2, 4, 0,   // the table twice,
        0, 0, 0, 0, 0, 0, 0, 0, -128, -128, -128, -128, 1, 2, 4, 0);  // once a lane
    const __m256i lowHalves = _mm256_setr_epi8(
        -128 | 2, -128 | 2 | 4, -128 | 1 | 4, -128 | 1 | 4, -128 | 1 | 4, -128 | 1 | 4,
        -128 | 1 | 4, -128 | 1 | 4, -128 | 1 | 4, -128 | 1 | 4, -128 | 1 | 4, -128 | 1 | 4,
        -128 | 4, -128, -128 | 1 | 4, -128 | 1 | 4, -128 | 2, -128 | 2 | 4, -128 | 1 | 4,
        -128 | 1 | 4, -128 | 1 | 4, -128 | 1 | 4, -128 | 1 | 4, -128 | 1 | 4, -128 | 1 | 4,
        -128 | 1 | 4, -128 | 1 | 4, -128 | 1 | 4, -128 | 4, -128, -128 | 1 | 4, -128 | 1 | 4);
    const __m256i nibble = _mm256_set1_epi8(0x0F);
    std::uint64_t stopsOrHigh = 0, tail = 0, lead = 0, lead3 = 0;
    for (int half = 0; half < 2; ++half) {
        __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(text + 32 * half));
        if constexpr (kCopy) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 32 * half), bytes);
        }
        // The stops and every byte from 0x80: as signed bytes, those below 14.
        stopsOrHigh |= WideMask(_mm256_cmpgt_epi8(_mm256_set1_epi8('\r' + 1), bytes), half);
        __m256i high = _mm256_and_si256(_mm256_srli_epi16(bytes, 4), nibble);
        __m256i kind =
            _mm256_and_si256(_mm256_shuffle_epi8(highHalves, high),
                             _mm256_shuffle_epi8(lowHalves, _mm256_and_si256(bytes, nibble)));
        tail |= WideMask(kind, half);
        // Bit 2 moved to bit 7 of its byte (what a byte's lower bits pass on to the byte above
        // in the 16-bit shift stays below that byte's bit 7).
        lead3 |= WideMask(_mm256_slli_epi16(kind, 5), half);
        lead |= ~WideMask(_mm256_cmpeq_epi8(_mm256_and_si256(kind, _mm256_set1_epi8(7)),
                                            _mm256_setzero_si256()),
                          half) &
                (std::uint64_t{0xFFFFFFFF} << (32 * half));
    }
    return TakeTextBlock<64, true>(text, stopsOrHigh, tail, lead, lead3);
}
#endif
