// The page setup as stored values: the rules for what was read.
#include "app/settings_values.h"

#include <cfloat>
#include <cstring>

#include "app/decimal_text.h"
#include "browser/path_text.h"
#include "print/print_settings.h"

float MarginFromText(const char* text) {
    double margin = 0;
    // !(margin > 0) also catches NaN; infinity is above FLT_MAX.
    if (!ParseDecimal(text, &margin) || !(margin > 0) || margin > FLT_MAX) {
        return 0.0f;
    }
    return static_cast<float>(margin);
}

float SaneMargin(float margin) {
    return (margin > 0 && margin <= FLT_MAX) ? margin : 0.0f;
}

std::int32_t PitchFromStored(std::int32_t pitch) {
    return (pitch >= 1 && pitch <= 999) ? pitch : kPresetPitch;
}

bool IsUsablePathPattern(const char* pattern) {
    static constexpr char kWildcard[] = "\\*.*";
    std::size_t length = std::strlen(pattern);
    std::size_t suffix = sizeof kWildcard - 1;
    return DirectoryPartLength(pattern) > 0 && length >= suffix &&
           std::strcmp(pattern + length - suffix, kWildcard) == 0;
}

bool FitsPathSetting(const char* pattern) {
    return std::strlen(pattern) < static_cast<std::size_t>(PrintSettings::kPathSize);
}
