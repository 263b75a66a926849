// MultiplyDivide: a * b / c rounded to the nearest integer, as the system's MulDiv does it.
#pragma once

#include <cstdint>
#include <cstdlib>

// Halves round away from zero. A zero divisor, or a result outside 32 bits, gives -1.
inline int MultiplyDivide(int a, int b, int c) {
    if (c == 0) {
        return -1;
    }
    std::int64_t product = static_cast<std::int64_t>(a) * b;
    std::int64_t divisor = c;
    bool negative = (product < 0) != (divisor < 0);
    std::int64_t magnitude = std::llabs(product);
    std::int64_t div = std::llabs(divisor);
    std::int64_t result = (magnitude + div / 2) / div;
    if (result > INT32_MAX) {
        return -1;
    }
    return static_cast<int>(negative ? -result : result);
}
