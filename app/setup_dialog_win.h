// The setup dialog (template 103): margins, switches and the printer font.
#pragma once

#include <windows.h>

#include <cstdint>

// The main window's Setup command: runs the dialog owned by `mainWindow`; after an accepted
// change redraws the settings summary, and nothing else of the window.
void SetupCommand(HWND mainWindow);

INT_PTR CALLBACK SetupDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The margin boxes' window procedure: refuses every typed character but the digits, "." and
// control characters, with the standard beep.
LRESULT CALLBACK NumericEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the font dialog on the printer's fixed-pitch fonts, opened on `face` at `points`. True
// when the user chose a font: `face` (32 bytes) holds its name and `points` its size (kept when
// the dialog reports none). False, both untouched, otherwise. `style` receives the style name.
// The dialog's first size is measured at `dpi`, the resolution of the window it opens over.
bool ChooseFixedFont(HDC printer, char* face, char* style, std::int32_t* points, int dpi);
