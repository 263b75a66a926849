// CenterWindow: places a window in the middle of its owner, or of the screen's full-screen
// area when it has none, keeping it inside that area's right and bottom edges and never left
// of or above the screen's origin.
#pragma once

// A rectangle in screen pixels; right and bottom lie just outside it, as in Win32.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

// Where a window of `width` by `height` goes in `reference`: centred (halvings truncate),
// then moved left and up until it ends at the reference's right and bottom edges, and to 0
// when that puts it at or beyond the screen's left or top edge.
ScreenPoint CenteredPosition(const ScreenRect& reference, int width, int height);
