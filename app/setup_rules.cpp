// The setup dialog's rules for typed margins and the font size.
#include "app/setup_rules.h"

#include "app/decimal_text.h"
#include "app/settings_values.h"

bool MarginBoxAccepts(std::uint64_t code) {
    return code < 32 || (code >= '0' && code <= '9') || code == '.';
}

float MarginFromTyped(const char* text) {
    double value = 0;
    if (text == nullptr || !ParseDecimal(text, &value)) {
        return 0.0f;
    }
    return SaneMargin(static_cast<float>(value));
}

bool PointSizeFromTenths(int tenths, std::int32_t* points) {
    int whole = tenths / 10;
    if (whole <= 0) {
        return false;
    }
    *points = whole;
    return true;
}
