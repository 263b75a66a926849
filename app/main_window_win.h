// The main window: the file browser with its drive selector, the path line, the settings
// summary and the commands, run from dialog template 102.
#pragma once

#include <windows.h>

#include "print/print_surface.h"

// A text area of the main window: the inside of a frame control, in client pixels.
struct Panel {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
    COLORREF background = 0;
    UINT format = 0;
    int cellWidth = 0;
    int cellHeight = 0;

    // The frame's rectangle moved 2 pixels inwards on every side; one line, vertically centred.
    void Init(const RECT& frame, int cellWidthPixels, int cellHeightPixels);
    void Fill(HDC dc) const;
    // `text` at a cell, in the context's current text alignment.
    void TextAt(HDC dc, int column, int row, const char* text) const;
    // `text` on one line in the whole panel, left-aligned, vertically centred.
    void DrawText(HDC dc, const char* text) const;
    RECT Rect() const { return {left, top, right, bottom}; }
};

// The interface font of the list, the path line and the summary.
extern HFONT UiFont;
// The printing font of the settings, selected into the printer; none without a printer.
extern FontHandle PrinterFont;
extern Panel PathPanel;
extern Panel SummaryPanel;

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Paints the summary panel; the caller has selected UiFont into `dc`.
void DrawSettingsSummary(HDC dc);
