// TextFont: CreateFontIndirectA at a point size for the device's vertical resolution, or at a
// cell height in pixels.
#include "ui/text_font.h"

#include <cstring>

TextFont::~TextFont() {
    Release();
}

int TextFont::CreateFor(HDC dc, const char* face, int points) {
    return CreateAt(face, points, GetDeviceCaps(dc, LOGPIXELSY));
}

int TextFont::CreateAt(const char* face, int points, int dpi) {
    if (face != nullptr && face[0] != '\0') {
        std::strncpy(logFont.lfFaceName, face, LF_FACESIZE - 1);
        logFont.lfFaceName[LF_FACESIZE - 1] = '\0';
    }
    logFont.lfHeight = -MulDiv(points, dpi, 72);
    Release();
    font = CreateFontIndirectA(&logFont);
    return font != nullptr ? 1 : 0;
}

int TextFont::CreateFixed(const char* face, int cellHeight) {
    logFont = {};
    // A positive height asks for the cell's height, internal leading included.
    logFont.lfHeight = cellHeight;
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfOutPrecision = OUT_TT_PRECIS;
    logFont.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    if (face != nullptr) {
        std::strncpy(logFont.lfFaceName, face, LF_FACESIZE - 1);
    }
    Release();
    font = CreateFontIndirectA(&logFont);
    return font != nullptr ? 1 : 0;
}

HGDIOBJ TextFont::Select(HDC dc) const {
    SetTextColor(dc, colour);
    return font != nullptr ? SelectObject(dc, font) : nullptr;
}

void TextFont::Release() {
    if (font != nullptr) {
        DeleteObject(font);
        font = nullptr;
    }
}
