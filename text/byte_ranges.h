// Tests of byte ranges in blocks of text, shared by the line reader and the UTF-8 check: a
// range of signed bytes tested with two operations, the AVX2 forms of the 64-byte blocks, and
// whether the processor has AVX2 (told once, at run time).
#pragma once

#if defined(__SSE2__)
#include <immintrin.h>

#include <cstdint>

// The bytes of `bytes` from `low` to `high` as signed bytes: shifted so that the range ends at
// 127, they are the ones above 127 less its size. Both constants are operands from memory, so
// that none has to be held in a register.
inline __m128i ByteWithin(__m128i bytes, int low, int high) {
    __m128i shifted = _mm_add_epi8(bytes, _mm_set1_epi8(static_cast<char>(127 - high)));
    return _mm_cmpgt_epi8(shifted, _mm_set1_epi8(static_cast<char>(126 - (high - low))));
}

// A 64-byte block's mask bits of one half of 32 bytes.
__attribute__((target("avx2"))) inline std::uint64_t WideMask(__m256i lanes, int half) {
    return static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm256_movemask_epi8(lanes)))
           << (32 * half);
}

// ByteWithin on 32 bytes.
__attribute__((target("avx2"))) inline __m256i WideWithin(__m256i bytes, int low, int high) {
    __m256i shifted = _mm256_add_epi8(bytes, _mm256_set1_epi8(static_cast<char>(127 - high)));
    return _mm256_cmpgt_epi8(shifted, _mm256_set1_epi8(static_cast<char>(126 - (high - low))));
}

// Whether the blocks may be taken in halves of 32 bytes: the processor has AVX2 and the
// population count the reader's blocks use. Told on the first call.
inline bool ProcessorHasWideBlocks() {
    static const bool has = [] {
        __builtin_cpu_init();  // the first call may come before the library's own constructors
        return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
    }();
    return has;
}
#endif
