// The main window's commands that work through the program's own windows: View, Preview,
// Delete and About.
#pragma once

#include <windows.h>

#include <vector>

// View: the file of row `selection` of the file list (-1 when no row is selected).
void ViewCommand(HWND mainWindow, int selection);

// Preview: the pages of the file of row `selection` as the printer in force would print them
// with the settings in force (nothing for a directory row, the parent row or no selection).
void PreviewCommand(HWND mainWindow, int selection);

// Delete: asks "OK to delete?" with the full path of row `selection` (nothing for a
// directory row, the parent row or no selection) and, on Yes, deletes exactly that file and
// removes its row from `list`, keeping the list's scroll position.
void DeleteSelectedFile(HWND list, int selection);

// Delete on the selected rows `rows` of `list`: with one file row among them, as
// DeleteSelectedFile; with several, asks once "OK to delete N files?" with their names and,
// on Yes, deletes those files and removes their rows (a file the system refuses stays,
// silently); then one row stays selected where the first of them was. Directory and parent
// rows are left out; without a file row nothing is asked.
void DeleteSelectedFiles(HWND list, const std::vector<int>& rows);

// The selected rows of `list` (a list box of several selected rows), ascending.
std::vector<int> SelectedRows(HWND list);

// Leaves `row` of `list` alone selected, as its caret and anchor row (nothing selected when
// the list has no such row).
void SelectOnlyRow(HWND list, int row);

// About: the about box.
void AboutCommand(HWND mainWindow);
