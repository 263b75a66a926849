// The back buffer: its bitmap made and grown, and the window painted from it.
#include "ui/back_buffer_win.h"

bool MakeBackBuffer(HWND window, HDC& memoryDC, HBITMAP& bitmap, HGDIOBJ& original, SIZE& size) {
    HDC windowDC = GetDC(window);
    if (windowDC == nullptr) {
        return false;
    }
    memoryDC = CreateCompatibleDC(windowDC);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    bitmap =
        memoryDC != nullptr ? CreateCompatibleBitmap(windowDC, screenWidth, screenHeight) : nullptr;
    ReleaseDC(window, windowDC);
    if (memoryDC == nullptr || bitmap == nullptr) {
        return false;
    }
    size = {screenWidth, screenHeight};
    original = SelectObject(memoryDC, bitmap);
    return true;
}

bool GrowBackBuffer(HWND window, HDC memoryDC, HBITMAP& bitmap, SIZE& size, int width, int height) {
    if (memoryDC == nullptr) {
        return false;
    }
    if (width <= size.cx && height <= size.cy) {
        return true;
    }
    const int newWidth = width > size.cx ? width : size.cx;
    const int newHeight = height > size.cy ? height : size.cy;
    HDC windowDC = GetDC(window);
    if (windowDC == nullptr) {
        return false;
    }
    HBITMAP grown = CreateCompatibleBitmap(windowDC, newWidth, newHeight);
    ReleaseDC(window, windowDC);
    if (grown == nullptr) {
        return false;
    }
    SelectObject(memoryDC, grown);
    DeleteObject(bitmap);
    bitmap = grown;
    size = {newWidth, newHeight};
    return true;
}

void PaintFromBackBuffer(HWND window, HDC memoryDC) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (dc != nullptr && memoryDC != nullptr) {
        const RECT& area = paint.rcPaint;
        BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, memoryDC,
               area.left, area.top, SRCCOPY);
    }
    EndPaint(window, &paint);
}
