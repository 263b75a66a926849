// TextFont: CreateFontIndirectA at a point size for the device's vertical resolution.
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
