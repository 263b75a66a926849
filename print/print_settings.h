// PrintSettings: the user's page setup, as loaded at start, edited and saved at exit.
#pragma once

#include <cstdint>

// Field names are the names of the values that store them.
struct PrintSettings {
    static constexpr int kFaceSize = 32;   // 31 characters and the terminator
    static constexpr int kPathSize = 260;  // 259 characters and the terminator

    bool SingleSheets = false;  // pause before every further page and ask for the next sheet
    bool PageNumbers = true;    // print the footer and keep two lines free for it
    bool LineNumbers = false;   // a 4-digit number before every source line (5 more columns)
    bool FormFeed = false;      // a line holding a form feed ends its page
    float LeftMargin = 0.5f;    // inches
    float RightMargin = 0.0f;
    float TopMargin = 0.0f;
    float BottomMargin = 0.0f;
    char font[kFaceSize] = "Courier New";  // face name of the printing font
    std::int32_t Pitch = 12;               // points
    std::int32_t TabSize = 8;              // columns
    char Path[kPathSize] = "C:\\*.*";      // directory pattern the file browser starts at
};

// The face used when the printer reports none.
inline constexpr char kFallbackFontFace[] = "Courier New";

// Sets every value but Path to its preset; the face is `printerFace` (what the printer reports
// for its own default font), or the fallback face when that is null or empty.
void ApplyPresets(PrintSettings& settings, const char* printerFace);

// The tab width printing uses: TabSize when it lies between 1 and 16, else 8.
int PrintTabWidth(const PrintSettings& settings);
