// Program-wide state of the application shell that the other subsystems reach.
#pragma once

#include <windows.h>

// The main window; owner of every message box. None until the main window initialises.
extern HWND MainWindowHandle;

// Set when the user enters a directory or changes the drive; never reset.
extern int DirectoryChanged;

// Set when the setup dialog accepts a change or a font is chosen; never reset.
extern int SettingsChanged;

// A system message box owned by MainWindowHandle with the warning icon and one OK button.
void ShowWarning(const char* text, const char* caption);
