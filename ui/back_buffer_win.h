// The back buffer of a window that draws off screen and copies the result in one go: a
// memory device context holding a bitmap at least as large as the window's client area.
#pragma once

#include <windows.h>

// Makes `memoryDC` and `bitmap` compatible with `window`, the bitmap the size of the screen
// (so that most resizing never grows it), selects it and sets `size`. `original` gets the
// bitmap the device context held before, to be selected again before it is deleted. False
// when either cannot be made; whatever was made is left in the outputs for the caller to
// release.
bool MakeBackBuffer(HWND window, HDC& memoryDC, HBITMAP& bitmap, HGDIOBJ& original, SIZE& size);

// Grows `bitmap`, selected into `memoryDC`, to hold at least `width` by `height` pixels; it
// never shrinks. False when it cannot, with the old bitmap kept.
bool GrowBackBuffer(HWND window, HDC memoryDC, HBITMAP& bitmap, SIZE& size, int width, int height);

// Answers WM_PAINT for `window`: copies the area to paint from `memoryDC`, where the window
// has drawn everything already.
void PaintFromBackBuffer(HWND window, HDC memoryDC);
