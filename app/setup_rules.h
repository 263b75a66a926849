// What the setup dialog decides without a window: the characters a margin box takes, the
// margin its text gives, and the point size of a choice in the font dialog.
#pragma once

#include <cstdint>

// A margin box takes control characters (codes below 32: Backspace and the like), the digits
// and "."; every other character code is refused.
bool MarginBoxAccepts(std::uint64_t code);

// The margin a box's text gives, read as atof reads it but the same on every runtime: the
// number the text starts with after any white space, the rest ignored; 0 for an empty text or
// one that starts with no number, and for a value that is not finite as a float. A margin
// below 0 (a pasted "-1": the filter keeps only typed minus signs out) gives 0, as the page
// geometry and the settings store read it, so the boxes and the summary show what is in
// force. There is no upper bound.
float MarginFromTyped(const char* text);

// The point size of a font dialog size in tenths of a point: cut down to whole points
// (105 gives 10). False, `points` untouched, when that is 0 or less.
bool PointSizeFromTenths(int tenths, std::int32_t* points);
