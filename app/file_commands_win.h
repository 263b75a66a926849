// The main window's commands that work through the program's own windows: View, Delete and
// About. They do nothing until those windows exist.
#pragma once

#include <windows.h>

// View: the file of row `selection` of the file list (-1 when no row is selected).
void ViewCommand(HWND mainWindow, int selection);

// Delete: the file of row `selection`, after the user's confirmation; its row leaves `list`.
void DeleteCommand(HWND mainWindow, HWND list, int selection);

// About: the about box.
void AboutCommand(HWND mainWindow);
