// The main window's commands that work through the program's own windows: View, Preview,
// Delete and About.
#pragma once

#include <windows.h>

// View: the file of row `selection` of the file list (-1 when no row is selected).
void ViewCommand(HWND mainWindow, int selection);

// Preview: the pages of the file of row `selection` as the printer in force would print them
// with the settings in force (nothing for a directory row, the parent row or no selection).
void PreviewCommand(HWND mainWindow, int selection);

// Delete: asks "OK to delete?" with the full path of row `selection` (nothing for a
// directory row, the parent row or no selection) and, on Yes, deletes exactly that file and
// removes its row from `list`, keeping the list's scroll position.
void DeleteSelectedFile(HWND list, int selection);

// About: the about box.
void AboutCommand(HWND mainWindow);
