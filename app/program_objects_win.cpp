// The program's objects in the order they are made at start-up. C++ makes the objects of one
// translation unit in the order of their definitions and destroys them in the reverse order.
#include "app/program.h"

#include "print/gdi_print_surface_win.h"

namespace {

struct StartupStep {
    explicit StartupStep(void (*step)()) { step(); }
};

}  // namespace

HINSTANCE ProgramInstance = nullptr;
PrintSettings Settings;
PageGeometry Geometry;

SystemDirectories Directories;
FileList Files(Directories);
PrinterDevice Printer;
StartupStep PrinterOpened([] { OpenDefaultPrinter(Printer); });
TextBuffer PrintText;
