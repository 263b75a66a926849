// DpiScale: the rounding of measures from 96 DPI to a display's resolution.
#include "ui/dpi_scale.h"

#include <climits>

namespace {

int Positive(int dpi) {
    return dpi > 0 ? dpi : kDefaultDpi;
}

int Rescale(long long value, int from, int to) {
    const long long scaled = value * to;
    const long long half = from / 2;
    long long result = scaled >= 0 ? (scaled + half) / from : -((-scaled + half) / from);
    if (result > INT_MAX) {
        result = INT_MAX;
    } else if (result < INT_MIN) {
        result = INT_MIN;
    }
    return static_cast<int>(result);
}

// The picture's share of its image, as at 32 pixels: 18 by 14 in the top-left corner.
constexpr int kPictureWidthAt32 = 18;
constexpr int kPictureHeightAt32 = 14;
constexpr int kTextGap = 2;

}  // namespace

int ScaleToDpi(int pixels, int dpi) {
    return Rescale(pixels, kDefaultDpi, Positive(dpi));
}

int RescaleHeight(int height, int fromDpi, int toDpi) {
    return Rescale(height, Positive(fromDpi), Positive(toDpi));
}

int RowPictureWidth(int iconSize) {
    return (iconSize * kPictureWidthAt32 + 31) / 32;
}

int RowPictureHeight(int iconSize) {
    return (iconSize * kPictureHeightAt32 + 31) / 32;
}

int RowTextIndent(int dpi) {
    return ScaleToDpi(20, dpi);
}

int RowIconSize(int rowHeight, int dpi) {
    const int largest = ScaleToDpi(32, dpi);
    const int textStart = RowTextIndent(dpi);
    int chosen = kRowIconSizes[0];
    for (int size : kRowIconSizes) {
        if (size <= largest && RowPictureHeight(size) <= rowHeight &&
            RowPictureWidth(size) + kTextGap <= textStart) {
            chosen = size;
        }
    }
    return chosen;
}
