// UTF-8 characters and checks.
#include "text/utf8.h"

#include <cstdint>
#include <cstring>

#include "text/byte_ranges.h"

namespace {

// The bytes a character takes, told from its first byte, and the range its second byte must
// lie in (which rules out overlong forms, surrogates and values past U+10FFFF); 0 for a byte
// that starts no character of more than one byte.
struct LeadRule {
    unsigned char length;
    unsigned char low;
    unsigned char high;
};

constexpr LeadRule RuleOf(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) {
        return {2, 0x80, 0xBF};
    }
    if (lead == 0xE0) {
        return {3, 0xA0, 0xBF};
    }
    if (lead == 0xED) {
        return {3, 0x80, 0x9F};
    }
    if (lead >= 0xE1 && lead <= 0xEF) {
        return {3, 0x80, 0xBF};
    }
    if (lead == 0xF0) {
        return {4, 0x90, 0xBF};
    }
    if (lead >= 0xF1 && lead <= 0xF3) {
        return {4, 0x80, 0xBF};
    }
    if (lead == 0xF4) {
        return {4, 0x80, 0x8F};
    }
    return {0, 0, 0};
}

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// How many bytes of the sequence at `text` (at least one byte, lead byte >= 0x80) are right:
// its length when whole and valid, else 0; `*cut` when it is a valid start that ends with
// the text.
std::size_t CheckSequence(const unsigned char* text, std::size_t length, bool* cut) {
    *cut = false;
    LeadRule rule = RuleOf(text[0]);
    if (rule.length == 0) {
        return 0;
    }
    for (std::size_t i = 1; i < rule.length; ++i) {
        if (i >= length) {
            *cut = true;
            return 0;
        }
        unsigned char byte = text[i];
        bool fits = i == 1 ? (byte >= rule.low && byte <= rule.high) : IsContinuation(byte);
        if (!fits) {
            return 0;
        }
    }
    return rule.length;
}

}  // namespace

std::size_t DecodeUtf8Four(const unsigned char* bytes, std::size_t length, char32_t* code) {
    bool cut = false;
    if (CheckSequence(bytes, length, &cut) != 4) {
        return 0;
    }
    *code = static_cast<char32_t>((bytes[0] & 0x07) << 18 | (bytes[1] & 0x3F) << 12 |
                                  (bytes[2] & 0x3F) << 6 | (bytes[3] & 0x3F));
    return 4;
}

std::size_t EncodeUtf8(char32_t code, char* out) {
    if ((code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
        code = kReplacementChar;
    }
    if (code < 0x80) {
        out[0] = static_cast<char>(code);
        return 1;
    }
    if (code < 0x800) {
        out[0] = static_cast<char>(0xC0 | (code >> 6));
        out[1] = static_cast<char>(0x80 | (code & 0x3F));
        return 2;
    }
    if (code < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (code >> 12));
        out[1] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (code & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (code >> 18));
    out[1] = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (code & 0x3F));
    return 4;
}

namespace {

#if defined(__SSE2__)
// Checks the sixteen bytes of `block` (`high`: a bit for each from 0x80), which start at a
// character's first byte, when they hold characters of at most three bytes (E0 and ED, whose
// second bytes have narrower ranges, not among them): every first byte must be followed by just
// as many continuation bytes as it asks for, and no other continuation byte be found. Returns
// the bytes up to the end of the last character that ends within the block, or 0 when the
// block needs the check character by character (which also finds where an invalid one starts).
std::size_t ValidBlockLength(__m128i block, unsigned high) {
    auto mask = [](__m128i bytes) { return static_cast<unsigned>(_mm_movemask_epi8(bytes)); };
    // As signed bytes: continuation bytes 80..BF are -128..-65, first bytes of two C2..DF
    // -62..-33, of three E0..EF -32..-17.
    const unsigned continuation = mask(_mm_cmplt_epi8(block, _mm_set1_epi8(-64)));
    const unsigned two = mask(_mm_and_si128(_mm_cmpgt_epi8(block, _mm_set1_epi8(-63)),
                                            _mm_cmplt_epi8(block, _mm_set1_epi8(-32))));
    const unsigned three = mask(_mm_and_si128(_mm_cmpgt_epi8(block, _mm_set1_epi8(-33)),
                                              _mm_cmplt_epi8(block, _mm_set1_epi8(-16))));
    const unsigned narrow = mask(_mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8(-32)),
                                              _mm_cmpeq_epi8(block, _mm_set1_epi8(-19))));
    if ((high & ~(continuation | two | three)) != 0 || narrow != 0) {
        return 0;  // C0, C1, F0 to FF, E0 or ED
    }
    // The continuation bytes the first bytes ask for, up to two beyond the block.
    const unsigned wanted = two << 1 | three << 1 | three << 2;
    if ((wanted & 0xFFFF) != continuation) {
        return 0;
    }
    // A character that goes on past the block is left to the next one.
    const unsigned crossing = (two & 0x8000) | (three & 0xC000);
    return crossing == 0 ? 16 : static_cast<std::size_t>(__builtin_ctz(crossing));
}

// What the UTF-8 check needs of 64 bytes: a bit for each byte from 0x80, each continuation
// byte and each byte from E0, and whether any is a first byte of the others (C0, C1, E0, ED,
// F0 to FF), which the check leaves to the one-by-one decoder.
struct WideBlockMasks {
    std::uint64_t high;
    std::uint64_t continuation;
    std::uint64_t fromE0;
    bool others;
};

// The masks of the 64 bytes at `text`, from four blocks of 16.
inline WideBlockMasks MasksOfWideBlock(const char* text) {
    WideBlockMasks masks{0, 0, 0, false};
    __m128i others = _mm_setzero_si128();
    for (int part = 0; part < 4; ++part) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + 16 * part));
        auto mask = [part](__m128i bytes) {
            return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(bytes)))
                   << (16 * part);
        };
        masks.high |= mask(block);
        // Continuation bytes 80..BF are -128..-65; E0..FF -32..-1 (ASCII also passes).
        masks.continuation |= mask(_mm_cmplt_epi8(block, _mm_set1_epi8(-64)));
        masks.fromE0 |= mask(_mm_cmpgt_epi8(block, _mm_set1_epi8(-33)));
        // C0, C1 and F0..FF, then E0 and ED.
        others = _mm_or_si128(
            others, _mm_or_si128(ByteWithin(block, -64, -63), ByteWithin(block, -16, -1)));
        others = _mm_or_si128(others, _mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8(-32)),
                                                   _mm_cmpeq_epi8(block, _mm_set1_epi8(-19))));
    }
    masks.others = _mm_movemask_epi8(others) != 0;
    return masks;
}

// MasksOfWideBlock in two halves of 32 bytes, for processors with AVX2 (told at run time).
__attribute__((target("avx2"))) inline WideBlockMasks MasksOfWideBlockInHalves(const char* text) {
    WideBlockMasks masks{0, 0, 0, false};
    __m256i others = _mm256_setzero_si256();
    for (int half = 0; half < 2; ++half) {
        __m256i block = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(text + 32 * half));
        masks.high |= WideMask(block, half);
        masks.continuation |= WideMask(_mm256_cmpgt_epi8(_mm256_set1_epi8(-64), block), half);
        masks.fromE0 |= WideMask(_mm256_cmpgt_epi8(block, _mm256_set1_epi8(-33)), half);
        others = _mm256_or_si256(
            others, _mm256_or_si256(WideWithin(block, -64, -63), WideWithin(block, -16, -1)));
        others = _mm256_or_si256(others,
                                 _mm256_or_si256(_mm256_cmpeq_epi8(block, _mm256_set1_epi8(-32)),
                                                 _mm256_cmpeq_epi8(block, _mm256_set1_epi8(-19))));
    }
    masks.others = _mm256_movemask_epi8(others) != 0;
    return masks;
}

// The bytes at the start of text[0, length) that blocks of 64 bytes find valid UTF-8, one
// after the other, while whole blocks remain; 0 when the first is not taken. Where every first
// byte is one of C2..DF and E1..EF but ED, a continuation byte marks the others, and those from
// E0 the ones of three bytes: the continuation bytes must be exactly the ones the first bytes
// ask for, those that a character cut by the block's end asks of the next block included. The
// blocks follow each other 64 bytes apart, whatever they hold, so that no block waits for the
// answer of the one before; the length returned ends before a character cut by the last
// block's end. In a loop of its own, so that the blocks' tests go in line with it.
template <bool kWide>
__attribute__((always_inline)) inline std::size_t ValidBlocksLength(const char* text,
                                                                    std::size_t length) {
    std::size_t at = 0;
    std::uint64_t asked = 0;  // continuation bytes the block before asks of this one
    std::size_t cut = 0;      // bytes of a character that the block before leaves cut
    while (length - at >= 64) {
        WideBlockMasks masks =
            kWide ? MasksOfWideBlockInHalves(text + at) : MasksOfWideBlock(text + at);
        const std::uint64_t lead = masks.high & ~masks.continuation;
        const std::uint64_t three = lead & masks.fromE0;
        if (masks.others || (lead << 1 | three << 2 | asked) != masks.continuation) {
            break;
        }
        // A first byte at 63 asks for the next block's first byte (and second, for three
        // bytes); one of three bytes at 62 for its first.
        asked = lead >> 63 | three >> 62;
        cut = static_cast<std::size_t>(lead >> 63 | (three >> 62 & 1) << 1);
        at += 64;
    }
    return at - cut;
}

std::size_t ValidNarrowBlocksLength(const char* text, std::size_t length) {
    return ValidBlocksLength<false>(text, length);
}

__attribute__((target("avx2"))) std::size_t ValidWideBlocksLength(const char* text,
                                                                  std::size_t length) {
    return ValidBlocksLength<true>(text, length);
}

// The bytes at the start of bytes[0, length) that lie below 0x80, in whole blocks of 128 bytes:
// up to the block that holds another, or to where fewer than a block remain.
__attribute__((target("avx2"))) std::size_t WideAsciiLength(const char* bytes, std::size_t length) {
    std::size_t at = 0;
    for (; at + 128 <= length; at += 128) {
        const auto* lanes = reinterpret_cast<const __m256i*>(bytes + at);
        __m256i any = _mm256_or_si256(
            _mm256_or_si256(_mm256_loadu_si256(lanes), _mm256_loadu_si256(lanes + 1)),
            _mm256_or_si256(_mm256_loadu_si256(lanes + 2), _mm256_loadu_si256(lanes + 3)));
        if (_mm256_movemask_epi8(any) != 0) {
            break;
        }
    }
    return at;
}

const bool kProcessorHasWideBlocks = ProcessorHasWideBlocks();
bool useWideBlocks = kProcessorHasWideBlocks;
#endif

}  // namespace

std::size_t FindNonAscii(const char* bytes, std::size_t length) {
    std::size_t at = 0;
#if defined(__SSE2__)
    if (length >= 256 && useWideBlocks) {
        at = WideAsciiLength(bytes, length);  // a piece of a file, most likely
    }
    for (; at + 64 <= length; at += 64) {
        __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at));
        __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at + 16));
        __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at + 32));
        __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at + 48));
        if (_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(a, b), _mm_or_si128(c, d))) != 0) {
            break;
        }
    }
    for (; at + 16 <= length; at += 16) {
        int high = _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at)));
        if (high != 0) {
            return at + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(high)));
        }
    }
#else
    constexpr std::uint64_t kHighBits = 0x8080808080808080u;
    for (; at + 8 <= length; at += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes + at, sizeof word);
        if ((word & kHighBits) != 0) {
            break;
        }
    }
#endif
    while (at < length && static_cast<unsigned char>(bytes[at]) < 0x80) {
        ++at;
    }
    return at;
}

std::size_t ValidUtf8Length(const char* text, std::size_t length, bool* cut) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    std::size_t at = 0;
#if defined(__SSE2__)
    std::size_t narrowUntil = 0;  // where wide blocks are tried again after one failed
#endif
    while (at < length) {
#if defined(__SSE2__)
        if (length - at >= 64 && at >= narrowUntil) {
            std::size_t valid = useWideBlocks ? ValidWideBlocksLength(text + at, length - at)
                                              : ValidNarrowBlocksLength(text + at, length - at);
            if (valid > 0) {
                at += valid;
                continue;  // a block not taken, or fewer bytes than a block
            }
            narrowUntil = at + 64;
        }
        if (length - at >= 16) {
            __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at));
            auto high = static_cast<unsigned>(_mm_movemask_epi8(block));
            if (high == 0) {
                at += 16;
                continue;
            }
            // Text of letters beyond ASCII has one in a few characters of two or three bytes:
            // whole blocks of it are checked at once.
            std::size_t valid = ValidBlockLength(block, high);
            if (valid > 0) {
                at += valid;
                continue;
            }
            at += static_cast<std::size_t>(__builtin_ctz(high));
        }
#endif
        if (bytes[at] < 0x80) {
            ++at;
            continue;
        }
        char32_t code = 0;
        std::size_t size = DecodeUtf8Valid(bytes + at, length - at, &code);
        if (size == 0) {
            if (cut != nullptr) {
                CheckSequence(bytes + at, length - at, cut);
            }
            return at;
        }
        at += size;
    }
    if (cut != nullptr) {
        *cut = false;
    }
    return at;
}

bool UseWideUtf8Blocks(bool use) {
#if defined(__SSE2__)
    bool was = useWideBlocks;
    useWideBlocks = use && kProcessorHasWideBlocks;
    return was;
#else
    (void)use;
    return false;
#endif
}

bool Utf8Validator::Feed(const char* bytes, std::size_t length) {
    if (!valid_) {
        return false;
    }
    if (pendingLength_ > 0) {
        // Complete the character the last piece ended in, a byte at a time.
        while (pendingLength_ < kMaxUtf8Bytes && length > 0) {
            pending_[pendingLength_++] = *bytes++;
            --length;
            bool cut = false;
            std::size_t size = ValidUtf8Length(pending_, pendingLength_, &cut);
            if (size == pendingLength_) {
                pendingLength_ = 0;
                break;
            }
            if (!cut) {
                valid_ = false;
                return false;
            }
        }
        if (pendingLength_ > 0) {
            return true;  // the piece ended before the character did
        }
    }
    bool cut = false;
    std::size_t size = ValidUtf8Length(bytes, length, &cut);
    if (size == length) {
        return true;
    }
    if (!cut) {
        valid_ = false;
        return false;
    }
    pendingLength_ = length - size;
    std::memcpy(pending_, bytes + size, pendingLength_);
    return true;
}
