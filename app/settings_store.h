// The settings store: the page setup kept between runs under
// HKEY_CURRENT_USER\Software\Vornhald Freeware\Quillmar\Settings (Windows build only).
#pragma once

#include <windows.h>

#include "print/print_settings.h"

// Asks a question the way MessageBoxA does, with the same arguments and answers.
using QuestionFunction = int (*)(HWND owner, const char* text, const char* caption, UINT type);

// The system message box: MessageBoxA itself.
int AskWithMessageBox(HWND owner, const char* text, const char* caption, UINT type);

// Fills `settings` from the registry. Every value starts at its preset (the face is
// `printerFace`, what the printer reports for its default font, or "Courier New" when that
// is null or empty; Path is "C:\*.*"); a value that is missing, of another type or size, or
// an unterminated or too long text keeps its preset. Besides: an empty face keeps the preset
// face; a margin that is no number, negative or not finite is 0; a Pitch outside 1 to 999 is
// 12; a flag stored as anything but one byte is false; a Path that is empty or has no
// directory part is "C:\*.*". TabSize is taken as stored.
void LoadSettings(PrintSettings& settings, const char* printerFace);

// Saves at exit. When `directoryChanged`, writes "Path" first, silently. Then, when
// `settingsChanged`, asks "Save settings?" (Yes, No, Cancel, question icon, caption
// "Quillmar", owned by MainWindowHandle) through `ask`, and on Yes writes the eleven other
// values (a negative or non-finite margin as 0). Returns 0 when nothing was asked, otherwise
// the answer: IDYES, IDNO or IDCANCEL. A key that cannot be created is silent: nothing is
// written, and Yes stays the answer.
int SaveSettings(const PrintSettings& settings, bool directoryChanged, bool settingsChanged,
                 QuestionFunction ask = AskWithMessageBox);
