// TextFont: a font described by a LOGFONTA record, made for a device context, with its text
// colour. The holder owns its font and deletes it when it makes the next one or ends.
#pragma once

#include <windows.h>

class TextFont {
public:
    TextFont() = default;
    ~TextFont();
    TextFont(const TextFont&) = delete;
    TextFont& operator=(const TextFont&) = delete;

    // Makes the font of `logFont` at `points` for `dc`, with `face` when it is not empty,
    // replacing the font held. 1 when a font was made, else 0 (the old one is gone then too).
    int CreateFor(HDC dc, const char* face, int points);
    // The same at `dpi` pixels per inch: for a window, at the resolution it is shown at.
    int CreateAt(const char* face, int points, int dpi);
    // Makes a fixed-pitch font of `face` whose cells are `cellHeight` pixels tall, in whatever
    // character set holds the characters drawn, replacing the font held (the rest of
    // `logFont` is cleared). 1 when a font was made, else 0.
    int CreateFixed(const char* face, int cellHeight);
    // Selects the font into `dc` and sets the text colour; returns the font it replaced.
    HGDIOBJ Select(HDC dc) const;
    void Release();

    HFONT font = nullptr;
    COLORREF colour = 0;
    LOGFONTA logFont = {};
};
