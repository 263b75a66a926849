// SunkenFrame: a one-pixel frame that looks pressed into the surface: shadow on the left and
// top edges, highlight on the right and bottom ones.
#pragma once

#include <windows.h>

class SunkenFrame {
public:
    SunkenFrame();

    // Frames the rectangle whose corners are (left, top) and (right, bottom), both included.
    void SetRect(int left, int top, int right, int bottom);
    // Draws the frame; nothing while no rectangle is set.
    void Draw(HDC dc) const;

    bool HasRect() const { return width != -1; }

    COLORREF highlight;
    COLORREF shadow;
    int left = 0;
    int top = 0;
    int width = -1;  // -1: no rectangle yet
    int height = 0;
};
