// PrintSettings: presets and derived values.
#include "print/print_settings.h"

#include "print/text_helpers.h"

void ApplyPresets(PrintSettings& settings, const char* printerFace) {
    const char* face =
        (printerFace != nullptr && printerFace[0] != '\0') ? printerFace : kFallbackFontFace;
    CopyBounded(settings.font, sizeof settings.font, face);
    settings.Pitch = 12;
    settings.LeftMargin = 0.5f;
    settings.RightMargin = 0.0f;
    settings.TopMargin = 0.0f;
    settings.BottomMargin = 0.0f;
    settings.TabSize = 8;
    settings.SingleSheets = false;
    settings.PageNumbers = true;
    settings.LineNumbers = false;
    settings.FormFeed = false;
}

int PrintTabWidth(const PrintSettings& settings) {
    return (settings.TabSize >= 1 && settings.TabSize <= 16) ? settings.TabSize : 8;
}
