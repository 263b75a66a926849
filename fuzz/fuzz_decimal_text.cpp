// Fuzz target: the decimal texts of margins. A number formatted with one decimal and read
// back differs from it by at most half of that decimal (and the rounding of 17 significant
// digits); no buffer size makes FormatOneDecimal write past it or give anything but a cut of
// the whole text; reading any text never fails in a way the two readers disagree about.
#include <fuzzer/FuzzedDataProvider.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "app/decimal_text.h"
#include "app/settings_values.h"
#include "fuzz/scratch_file.h"

namespace {

constexpr std::size_t kWholeSize = 400;  // room for the text of every double

// Checks that `text`, `value` formatted with one decimal, reads back within half a unit of
// that place.
void CheckRoundTrip(double value, const char* text) {
    std::size_t length = std::strlen(text);
    if (!std::isfinite(value)) {
        FUZZ_CHECK(length == 0);
        return;
    }
    // One decimal, at least two characters before the point, or "." and zeros for a value
    // that rounds to zero.
    const char* point = std::strchr(text, '.');
    FUZZ_CHECK(point != nullptr);
    std::size_t before = static_cast<std::size_t>(point - text);
    FUZZ_CHECK(before == 0 ? length >= 2 : (before >= 2 && length == before + 2));
    double read = -1;
    FUZZ_CHECK(ParseDecimal(text, &read));
    double magnitude = std::fabs(value);
    double error = std::fabs(read - magnitude);
    FUZZ_CHECK(error <= 0.05 + magnitude * 1e-15);
    if (before == 0) {
        FUZZ_CHECK(read == 0 && magnitude < 0.05 && magnitude != 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);

    // One value a run: a float (what a margin holds), a value near a rounding point, a
    // double of moderate size, or any double at all. A double of a large exponent has a long
    // exact expansion that takes far longer to format, so it comes rarely and only its round
    // trip is checked.
    double value = 0;
    std::size_t bufferSize = kWholeSize;
    int kind = in.ConsumeIntegralInRange(0, 63);
    bool heavy = kind == 0;
    if (heavy) {
        std::uint64_t bits = in.ConsumeIntegral<std::uint64_t>();
        std::memcpy(&value, &bits, sizeof value);
    } else if (kind < 16) {
        value = std::ldexp(in.ConsumeFloatingPointInRange<double>(-1.0, 1.0),
                           in.ConsumeIntegralInRange(-80, 80));
    } else if (kind < 32) {
        value = in.ConsumeIntegralInRange<std::int64_t>(-1000000, 1000000) * 0.05 +
                in.ConsumeIntegralInRange(-4, 4) * 1e-12;
    } else {
        std::uint32_t bits = in.ConsumeIntegral<std::uint32_t>();
        float margin;
        std::memcpy(&margin, &bits, sizeof margin);
        value = margin;
        bufferSize = kFloatDecimalTextSize;  // every float fits the program's buffer
    }
    char whole[kWholeSize];
    FormatOneDecimal(whole, sizeof whole, value);
    FUZZ_CHECK(std::strlen(whole) < bufferSize);
    CheckRoundTrip(value, whole);

    // Any buffer size: exactly that many bytes, and the text cut from the whole one.
    std::size_t smallSize = in.ConsumeIntegralInRange<std::size_t>(0, 64);
    if (!heavy) {
        std::unique_ptr<char[]> small(new char[smallSize == 0 ? 1 : smallSize]);
        small[0] = '#';
        FormatOneDecimal(small.get(), smallSize, value);
        if (smallSize == 0) {
            FUZZ_CHECK(small[0] == '#');  // nothing written
        } else {
            std::size_t kept = std::strlen(small.get());
            FUZZ_CHECK(kept == std::min(std::strlen(whole), smallSize - 1));
            FUZZ_CHECK(std::strncmp(small.get(), whole, kept) == 0);
        }
    }

    // Any text: both readers agree, hexadecimal reads as the 0 before its "x", and a stored
    // margin is never negative nor beyond a float.
    std::string text = in.ConsumeRemainingBytesAsString();
    double parsed = 7;
    double read = 7;
    const char* end = nullptr;
    bool parsedOk = ParseDecimal(text.c_str(), &parsed);
    bool readOk = ReadDecimal(text.c_str(), &read, &end);
    FUZZ_CHECK(end >= text.c_str() && end <= text.c_str() + std::strlen(text.c_str()));
    FUZZ_CHECK(!parsedOk || readOk);
    if (parsedOk) {
        FUZZ_CHECK(parsed == read || (std::isnan(parsed) && std::isnan(read)));
    } else {
        FUZZ_CHECK(parsed == 7);
        FUZZ_CHECK(!readOk || std::isinf(read) || read == 0);  // only out of range
    }
    FUZZ_CHECK(readOk == (end != text.c_str()));
    const char* p = text.c_str();
    while (*p == ' ' || (*p >= '\t' && *p <= '\r')) {
        ++p;
    }
    if (*p == '+' || *p == '-') {
        ++p;
    }
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        FUZZ_CHECK(readOk && read == 0 && end == p + 1);
    }
    float stored = MarginFromText(text.c_str());
    FUZZ_CHECK(stored >= 0 && stored <= FLT_MAX);
    return 0;
}
