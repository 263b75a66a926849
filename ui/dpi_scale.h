// DpiScale: pixel measures of the interface at a display's resolution. Every measure is given
// for 96 dots per inch and grows with the resolution, so that at 96 nothing changes.
#pragma once

// The resolution the interface's pixel measures are given for.
constexpr int kDefaultDpi = 96;

// `pixels` (a measure at 96 DPI) at `dpi`, rounded to the nearest pixel, halves away from
// zero. A resolution of 0 or below counts as 96; the result is limited to the range of int.
int ScaleToDpi(int pixels, int dpi);

// A font height measured at `fromDpi` at `toDpi` (the sign, cell or character height, is
// kept; halves away from zero). Resolutions of 0 or below count as 96.
int RescaleHeight(int height, int fromDpi, int toDpi);

// The sizes the row pictures (the folder and the drive) are drawn at, smallest first. Each
// image holds its picture in its top-left part: RowPictureWidth by RowPictureHeight pixels.
constexpr int kRowIconSizes[] = {16, 24, 32, 48, 64};
int RowPictureWidth(int iconSize);
int RowPictureHeight(int iconSize);

// The text indent of a row with a picture at `dpi`: 20 pixels at 96.
int RowTextIndent(int dpi);

// The size to draw a row picture at in a row `rowHeight` pixels high at `dpi`: the largest of
// kRowIconSizes not beyond 32 pixels at 96 DPI scaled to `dpi`, whose picture fits the row's
// height and ends at least 2 pixels before the row's text. The smallest size when none fits.
int RowIconSize(int rowHeight, int dpi);
