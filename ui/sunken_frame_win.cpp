// SunkenFrame: drawn with two pens, each deleted after it has been deselected.
#include "ui/sunken_frame.h"

SunkenFrame::SunkenFrame()
    : highlight(GetSysColor(COLOR_BTNHIGHLIGHT)), shadow(GetSysColor(COLOR_BTNSHADOW)) {}

void SunkenFrame::SetRect(int left, int top, int right, int bottom) {
    this->left = left;
    this->top = top;
    width = right - left + 1;
    height = bottom - top + 1;
}

void SunkenFrame::Draw(HDC dc) const {
    if (!HasRect()) {
        return;
    }
    const int right = left + width - 1;
    const int bottom = top + height - 1;
    HPEN shadowPen = CreatePen(PS_SOLID, 1, shadow);
    HPEN highlightPen = CreatePen(PS_SOLID, 1, highlight);
    if (shadowPen == nullptr || highlightPen == nullptr) {
        if (shadowPen != nullptr) {
            DeleteObject(shadowPen);
        }
        if (highlightPen != nullptr) {
            DeleteObject(highlightPen);
        }
        return;
    }
    HGDIOBJ previous = SelectObject(dc, shadowPen);
    MoveToEx(dc, left, bottom, nullptr);
    LineTo(dc, left, top);
    LineTo(dc, right, top);
    SelectObject(dc, highlightPen);
    LineTo(dc, right, bottom);
    LineTo(dc, left, bottom);
    SelectObject(dc, previous);
    DeleteObject(shadowPen);
    DeleteObject(highlightPen);
}
