// The program's objects in the order they are made at start-up. C++ makes the objects of one
// translation unit in the order of their definitions and destroys them in the reverse order.
#include "app/program.h"

#include "print/gdi_print_surface_win.h"
#include "text/code_page.h"
#include "ui/about_window.h"
#include "ui/file_viewer.h"
#include "ui/message_window.h"
#include "ui/preview_window.h"

namespace {

struct StartupStep {
    explicit StartupStep(void (*step)()) { step(); }
};

}  // namespace

HINSTANCE ProgramInstance = nullptr;
PrintSettings Settings;
PageGeometry Geometry;

// The first message window registers the class "CMSGCLASS".
MessageWindow Question;
AboutWindow About;
SystemDirectories Directories;
FileList Files(Directories);
PrinterDevice Printer;
StartupStep PrinterOpened([] { OpenDefaultPrinter(Printer); });
// Registers "FILEVIEWERCLS".
FileViewer Viewer;
// Registers "PREVIEWCLS".
PreviewWindow Preview;
TextBuffer PrintText;
// Files neither marked nor UTF-8 are read in the legacy code page of the user's locale.
StartupStep CodePageSet([] {
    int codePage = DefaultLegacyCodePage();
    PrintText.SetCodePage(codePage);
    Viewer.document.SetCodePage(codePage);
    Preview.SetCodePage(codePage);
});
// Shared by every message window; made last, as nothing uses them before WinMain.
PushButton AnswerButtons[kMaxAnswerButtons];
