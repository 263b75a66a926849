// The program's objects: made before WinMain runs, in the order of program_objects_win.cpp,
// and released after it returns, in the reverse order.
#pragma once

#include <windows.h>

#include "browser/file_list.h"
#include "browser/system_directories.h"
#include "print/page_geometry.h"
#include "print/print_settings.h"
#include "print/printer_device.h"
#include "text/text_buffer.h"
#include "ui/about_window.h"
#include "ui/file_viewer.h"
#include "ui/message_window.h"
#include "ui/preview_window.h"

// The module every icon and dialog template is loaded from; stored first by WinMain.
extern HINSTANCE ProgramInstance;

// The program's own message box, for the Delete question, and the about box.
extern MessageWindow Question;
extern AboutWindow About;

extern PrintSettings Settings;
extern PageGeometry Geometry;

extern SystemDirectories Directories;
// The rows of the main window's list and the current directory pattern.
extern FileList Files;
// The default printer, opened when it is made.
extern PrinterDevice Printer;
// The window of the View command.
extern FileViewer Viewer;
// The window of the Preview command.
extern PreviewWindow Preview;
// The whole file that a print job reads.
extern TextBuffer PrintText;
