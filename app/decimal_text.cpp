// Numbers as decimal texts, generated and read without the C runtime's conversions.
#include "app/decimal_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <system_error>

namespace {
// The exact decimal expansion of a finite double needs at most 16 + 1074 digits.
constexpr int kMaxExpansion = 1100;
constexpr int kSignificant = 17;

// Appends characters to a caller's buffer, never past its size, always terminated.
class BoundedText {
public:
    BoundedText(char* buffer, std::size_t size) : buffer_(buffer), size_(size) {
        if (size_ > 0) {
            buffer_[0] = '\0';
        }
    }
    void Put(char ch) {
        if (length_ + 1 < size_) {
            buffer_[length_++] = ch;
            buffer_[length_] = '\0';
        }
    }
    void Repeat(char ch, int count) {
        for (int i = 0; i < count; ++i) {
            Put(ch);
        }
    }

private:
    char* buffer_;
    std::size_t size_;
    std::size_t length_ = 0;
};

// Adds one to the decimal number in digits[0..count); true when it carried out of the first.
bool Increment(std::uint8_t* digits, int count) {
    for (int i = count - 1; i >= 0; --i) {
        if (digits[i] < 9) {
            ++digits[i];
            return false;
        }
        digits[i] = 0;
    }
    return true;
}

// The first 17 significant digits of `value` (finite, above zero), rounded half up from its
// exact expansion, and the count of digits before the point: value = 0.d1d2...d17 * 10^point.
void SignificantDigits(double value, std::uint8_t (&out)[kSignificant], int* point) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
    int exponent = static_cast<int>((bits >> 52) & 0x7FF);
    if (exponent == 0) {
        exponent = 1 - 1075;  // subnormal: no hidden bit
    } else {
        mantissa |= std::uint64_t{1} << 52;
        exponent -= 1075;
    }
    while ((mantissa & 1) == 0) {
        mantissa >>= 1;
        ++exponent;
    }

    // value = mantissa * 2^exponent, as decimal digits with `before` of them before the point.
    std::uint8_t digits[kMaxExpansion];
    int count = 0;
    for (std::uint64_t rest = mantissa; rest != 0; rest /= 10) {
        digits[count++] = static_cast<std::uint8_t>(rest % 10);
    }
    for (int i = 0; i < count / 2; ++i) {
        std::uint8_t swap = digits[i];
        digits[i] = digits[count - 1 - i];
        digits[count - 1 - i] = swap;
    }
    int before = count;
    for (; exponent > 0; --exponent) {
        int carry = 0;
        for (int i = count - 1; i >= 0; --i) {
            int doubled = digits[i] * 2 + carry;
            digits[i] = static_cast<std::uint8_t>(doubled % 10);
            carry = doubled / 10;
        }
        if (carry != 0) {
            std::memmove(digits + 1, digits, static_cast<std::size_t>(count));
            digits[0] = static_cast<std::uint8_t>(carry);
            ++count;
            ++before;
        }
    }
    for (; exponent < 0; ++exponent) {
        int carry = 0;
        for (int i = 0; i < count; ++i) {
            int current = carry * 10 + digits[i];
            digits[i] = static_cast<std::uint8_t>(current / 2);
            carry = current % 2;
        }
        if (carry != 0) {
            digits[count++] = 5;
        }
    }

    int first = 0;
    while (digits[first] == 0) {
        ++first;
    }
    *point = before - first;
    for (int i = 0; i < kSignificant; ++i) {
        out[i] = first + i < count ? digits[first + i] : 0;
    }
    int cutOff = first + kSignificant < count ? digits[first + kSignificant] : 0;
    if (cutOff >= 5 && Increment(out, kSignificant)) {
        out[0] = 1;
        ++*point;
    }
}
}  // namespace

char* FormatOneDecimal(char* buffer, std::size_t size, double value) {
    BoundedText text(buffer, size);
    if (!std::isfinite(value)) {
        return buffer;
    }
    value = std::fabs(value);
    if (value == 0) {
        text.Put(' ');
        text.Put('0');
        text.Put('.');
        text.Put('0');
        return buffer;
    }

    std::uint8_t significant[kSignificant];
    int point = 0;
    SignificantDigits(value, significant, &point);

    // Keep the digits up to the first decimal and round at the next one.
    std::uint8_t kept[kSignificant + 1] = {};
    int keep = point + 1;
    bool zero = false;
    if (keep > kSignificant) {
        std::memcpy(kept, significant, kSignificant);  // the rest are zeros
    } else if (keep > 0) {
        std::memcpy(kept, significant, static_cast<std::size_t>(keep));
        int cutOff = keep < kSignificant ? significant[keep] : 0;
        if (cutOff >= 5 && Increment(kept, keep)) {
            kept[0] = 1;  // 9.96 became 10.0: one digit more, all zeros after the first
            kept[keep] = 0;
            ++point;
        }
    } else if (keep == 0 && significant[0] >= 5) {
        kept[0] = 1;  // 0.05 up to 0.1
        point = 0;
    } else {
        zero = true;
    }

    if (zero) {
        text.Put('.');
        text.Repeat('0', -point);
        return buffer;
    }
    // `point` digits stand before the point, then one decimal.
    auto digitAt = [&](int i) {
        return static_cast<char>('0' + (i <= kSignificant ? kept[i] : 0));
    };
    int integerDigits = point > 0 ? point : 1;
    text.Repeat(' ', 2 - integerDigits);
    if (point == 0) {
        text.Put('0');
    }
    for (int i = 0; i < point; ++i) {
        text.Put(digitAt(i));
    }
    text.Put('.');
    text.Put(digitAt(point));
    return buffer;
}

namespace {
// Whether the number that from_chars found out of range in [first, last) is too large (true)
// or too small (false): the power of ten of its first significant digit plus its exponent.
bool BeyondLargest(const char* first, const char* last) {
    long magnitude = 0;
    bool seenDigit = false;
    bool afterPoint = false;
    const char* p = first;
    for (; p < last && *p != 'e' && *p != 'E'; ++p) {
        if (*p == '.') {
            afterPoint = true;
        } else if (*p != '0' || seenDigit) {
            seenDigit = true;
            if (!afterPoint) {
                ++magnitude;
            }
        } else if (afterPoint) {
            --magnitude;  // a zero between the point and the first significant digit
        }
    }
    long exponent = 0;
    bool negative = false;
    if (p < last) {
        ++p;
        if (p < last && (*p == '+' || *p == '-')) {
            negative = *p == '-';
            ++p;
        }
        for (; p < last && exponent < 100000000; ++p) {
            exponent = exponent * 10 + (*p - '0');
        }
    }
    return magnitude + (negative ? -exponent : exponent) > 0;
}

// The number at the start of `text`; see ReadDecimal. `*inRange` tells whether it fits a
// double.
bool ScanDecimal(const char* text, double* value, const char** end, bool* inRange) {
    *end = text;
    const char* p = text;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r')) {
        ++p;
    }
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
        if (*p == '+' || *p == '-') {
            return false;  // std::from_chars would take the second sign
        }
    }
    double parsed = 0;
    std::from_chars_result result = std::from_chars(p, p + std::strlen(p), parsed);
    if (result.ec == std::errc::result_out_of_range) {
        *inRange = false;
        parsed = BeyondLargest(p, result.ptr) ? HUGE_VAL : 0.0;
    } else if (result.ec != std::errc()) {
        return false;
    } else {
        *inRange = true;
    }
    *end = result.ptr;
    *value = negative ? -parsed : parsed;
    return true;
}
}  // namespace

bool ParseDecimal(const char* text, double* value) {
    const char* end = nullptr;
    bool inRange = false;
    double parsed = 0;
    if (!ScanDecimal(text, &parsed, &end, &inRange) || !inRange) {
        return false;
    }
    *value = parsed;
    return true;
}

bool ReadDecimal(const char* text, double* value, const char** end) {
    bool inRange = false;
    return ScanDecimal(text, value, end, &inRange);
}
